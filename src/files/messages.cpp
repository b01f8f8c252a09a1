#include "files/messages.h"

#include "core/out_of_memory.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace torvel {

std::string CannotReadText(const std::string& path, int error) {
    return "The file " + path + " cannot be read: " + std::strerror(error);
}

std::string IsAFolderText(const std::string& path) {
    return path + " is a folder";
}

std::string NotARegularFileText(const std::string& path) {
    return path + " is not a regular file";
}

std::string UnknownFileTypeText(const std::string& path) {
    return "The file " + path + " cannot be opened: Unknown file type";
}

std::string NotEnoughMemoryToOpenText(const std::string& path) {
    std::string what = "open ";
    what += path;
    return NotEnoughMemoryText(what);
}

std::string ReadProblemText(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return CannotReadText(path, errno);
    if (std::string problem = FileTypeProblemText(path, st.st_mode); !problem.empty())
        return problem;
    if (::access(path.c_str(), R_OK) != 0) return CannotReadText(path, errno);
    return {};
}

std::string FileTypeProblemText(const std::string& path, unsigned mode) {
    if (S_ISDIR(mode)) return IsAFolderText(path);
    if (!S_ISREG(mode)) return NotARegularFileText(path);
    return {};
}

} // namespace torvel
