// The parts of a path the file commands need, and the save dialog loop that
// the data and graph files share.
#pragma once

#include "core/feedback.h"

#include <functional>
#include <optional>
#include <string>

namespace torvel {

// The folder of path ("." when it names none).
std::string FolderOf(const std::string& path);
// The file name part of path (no folders).
std::string FileNameOf(const std::string& path);
// path without the extension of its file name; a dot that opens the name
// (".hidden") is no extension.
std::string WithoutExtension(const std::string& path);
// path with the extension of its file name replaced by ext (".fig"), or ext
// appended when it has none.
std::string ChangeExtension(const std::string& path, const std::string& ext);

bool FileExists(const std::string& path);

// Shows the save dialog until the user cancels (nothing) or picks a path that
// may be written: a new file, the file being saved already, or another
// existing file once the overwrite question (after a beep) is answered Yes;
// No shows the dialog again.
std::optional<std::string> ChooseSavePath(
    const std::function<std::optional<std::string>()>& showDialog, const std::string& currentPath,
    const std::function<std::string(const std::string&)>& overwriteQuestion, Feedback& feedback);

} // namespace torvel
