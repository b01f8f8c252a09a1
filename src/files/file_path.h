// The parts of a path the file commands need, and the save dialog loop that
// the data and graph files share.
#pragma once

#include "core/feedback.h"
#include "core/file_identity.h"

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

// The identity of the file at path (links followed), or of an open file;
// not Known when there is none.
FileIdentity IdentityOf(const std::string& path);
FileIdentity IdentityOfOpenFile(int fd);
// Whether the file at path is not the one last read or written (known).
bool ChangedSince(const std::string& path, const FileIdentity& known);

// Shows the save dialog until the user cancels (nothing) or picks a path that
// may be written: a new file, the file being saved already, or another
// existing file once the overwrite question (after a beep) is answered Yes;
// No shows the dialog again. The file being saved (currentPath) is written
// without a question only when it is still the file read or written
// (currentIdentity); changed by another program since, it is asked for with
// ChangedOutsideQuestion; never read or written, as any other file.
std::optional<std::string>
ChooseSavePath(const std::function<std::optional<std::string>()>& showDialog,
               const std::string& currentPath,
               const std::function<std::string(const std::string&)>& overwriteQuestion,
               Feedback& feedback, const FileIdentity& currentIdentity = {});

// "The file PATH was changed by another program since it was opened. Overwrite it?"
std::string ChangedOutsideQuestion(const std::string& path);

} // namespace torvel
