// What the program says when a file cannot be opened: the reason, not only
// "incompatible format", which stays for files whose content is wrong.
#pragma once

#include <string>

namespace torvel {

// "The file PATH cannot be read: REASON", REASON the system's text for errno value `error`.
std::string CannotReadText(const std::string& path, int error);
// "PATH is a folder".
std::string IsAFolderText(const std::string& path);
// "PATH is not a regular file" (a pipe, a device, a socket).
std::string NotARegularFileText(const std::string& path);
// "The file PATH cannot be opened: Unknown file type" (an extension no command reads).
std::string UnknownFileTypeText(const std::string& path);

// "Not enough memory to open PATH." (the file itself may be fine).
std::string NotEnoughMemoryToOpenText(const std::string& path);

// Why path cannot be opened and read as a regular file, in one of the texts
// above; empty when it can.
std::string ReadProblemText(const std::string& path);
// For a file already opened, from its st_mode: a folder or not a regular
// file; empty when it is a regular file.
std::string FileTypeProblemText(const std::string& path, unsigned mode);

} // namespace torvel
