// The commands of torvel-cli, apart from main so they can be read on their own.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace torvel {

std::string CliHelpText();
std::string CliVersionText();
// Runs one command (arguments without the program name); returns the exit
// code. Output that does not reach `out` fails the run (status 1, one line
// on err).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// SIGINT, SIGTERM and SIGHUP (unless ignored) end the run without leaving
// scratch or temporary files behind.
void CatchEndingSignals();

} // namespace torvel
