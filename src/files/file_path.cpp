#include "files/file_path.h"

#include <sys/stat.h>

namespace torvel {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithoutExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || dot <= nameStart) return path;
    return path.substr(0, dot);
}

std::string ChangeExtension(const std::string& path, const std::string& ext) {
    return WithoutExtension(path) + ext;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::string> ChooseSavePath(
    const std::function<std::optional<std::string>()>& showDialog, const std::string& currentPath,
    const std::function<std::string(const std::string&)>& overwriteQuestion, Feedback& feedback) {
    for (;;) {
        std::optional<std::string> chosen = showDialog();
        if (!chosen || chosen->empty()) return std::nullopt;
        if (!FileExists(*chosen) || *chosen == currentPath) return chosen;
        feedback.Beep();
        if (feedback.Message(MessageKind::Warning, overwriteQuestion(*chosen),
                             MessageButtons::YesNo) == Answer::Yes)
            return chosen;
    }
}

} // namespace torvel
