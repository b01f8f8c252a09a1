// The commands of torvel-cli, apart from main so they can be read on their own.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace torvel {

std::string CliHelpText();
std::string CliVersionText();
// Runs one command (arguments without the program name); returns the exit code.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace torvel
