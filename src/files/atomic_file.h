// Every file the program writes goes to a temporary file beside the target
// and is renamed over it, so a failed save never destroys the previous file.
#pragma once

#include "files/file_path.h"

#include <functional>
#include <ostream>
#include <string>

namespace torvel {

// Calls write with a stream on a temporary file in the target's folder; when
// write returns true and everything reached the disk, renames it over path.
// A symbolic link stays: the file it leads to is replaced, beside itself. An
// existing file the user may not write is refused. On any failure (an
// exception from write included) the target is left as it was, the temporary
// file removed, and the reason is put in *error (when given), the system's
// words included ("No space left on device"). Returns success.
// A file with several hard links is written in place instead, after a backup
// copy beside it (removed afterwards), so that every link keeps it; a failure
// puts the old content back. A file without a write bit for anyone (0444) is
// refused even to root. *identityOut (when given) gets the identity of the file
// written.
bool WriteFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& write,
                         std::string* error = nullptr, FileIdentity* identityOut = nullptr);

// For a program ended by a signal: removes the temporary files of the saves
// in progress. Safe to call from a signal handler.
void RemoveTemporaryFilesOfSaves();

} // namespace torvel
