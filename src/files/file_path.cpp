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

namespace {

FileIdentity IdentityOfStat(const struct stat& st) {
    FileIdentity id;
    id.Known = true;
    id.Device = static_cast<unsigned long long>(st.st_dev);
    id.Inode = static_cast<unsigned long long>(st.st_ino);
    id.Size = static_cast<long long>(st.st_size);
    id.ModifiedSeconds = static_cast<long long>(st.st_mtim.tv_sec);
    id.ModifiedNanoseconds = static_cast<long long>(st.st_mtim.tv_nsec);
    return id;
}

} // namespace

FileIdentity IdentityOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? IdentityOfStat(st) : FileIdentity{};
}

FileIdentity IdentityOfOpenFile(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? IdentityOfStat(st) : FileIdentity{};
}

bool ChangedSince(const std::string& path, const FileIdentity& known) {
    if (!known.Known) return false; // nothing to compare with
    const FileIdentity now = IdentityOf(path);
    return now.Known && now != known;
}

std::string ChangedOutsideQuestion(const std::string& path) {
    return "The file " + path +
           " was changed by another program since it was opened. Overwrite it?";
}

std::optional<std::string>
ChooseSavePath(const std::function<std::optional<std::string>()>& showDialog,
               const std::string& currentPath,
               const std::function<std::string(const std::string&)>& overwriteQuestion,
               Feedback& feedback, const FileIdentity& currentIdentity) {
    for (;;) {
        std::optional<std::string> chosen = showDialog();
        if (!chosen || chosen->empty()) return std::nullopt;
        if (!FileExists(*chosen)) return chosen;
        // The file being saved, as read or last written: no question. One the
        // program never read or wrote is asked for as any other.
        const bool own = *chosen == currentPath && currentIdentity.Known;
        if (own && !ChangedSince(*chosen, currentIdentity)) return chosen;
        feedback.Beep();
        const std::string question =
            own ? ChangedOutsideQuestion(*chosen) : overwriteQuestion(*chosen);
        if (feedback.Message(MessageKind::Warning, question, MessageButtons::YesNo) == Answer::Yes)
            return chosen;
    }
}

} // namespace torvel
