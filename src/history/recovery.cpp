#include "history/recovery.h"

#include "files/atomic_file.h"
#include "files/graph_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace torvel {

namespace fs = std::filesystem;

namespace {

constexpr const char* FolderName = "torvel-graphics";
constexpr const char* Prefix = "recovery-";

std::string StemOf(const std::string& folder, long pid) {
    return folder + "/" + Prefix + std::to_string(pid);
}

std::string LocalTime(std::time_t t, const char* format) {
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[64];
    std::strftime(buf, sizeof buf, format, &tm);
    return buf;
}

bool WriteText(const std::string& path, const std::string& text, std::string* error) {
    return WriteFileAtomically(
        path,
        [&](std::ostream& out) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            return static_cast<bool>(out);
        },
        error);
}

} // namespace

std::string RecoveryFolderFor(const std::string& xdgStateHome, const std::string& home) {
    if (!xdgStateHome.empty() && xdgStateHome[0] == '/') return xdgStateHome + "/" + FolderName;
    if (!home.empty() && home[0] == '/') return home + "/.local/state/" + FolderName;
    return {};
}

RecoveryInfo InfoOf(const Document& doc) {
    RecoveryInfo info;
    info.GraphFileName = doc.GraphFileName;
    info.Series = doc.SeriesCount();
    for (const auto& s : doc.DataWindows())
        info.Rows += s->IndexCount;
    return info;
}

std::string RecoveryInfoText(const RecoveryInfo& info) {
    std::string text = "GraphFileName=";
    text += info.GraphFileName;
    text += "\nSeries=";
    text += std::to_string(info.Series);
    text += "\nRows=";
    text += std::to_string(info.Rows);
    text += '\n';
    return text;
}

RecoveryInfo ParseRecoveryInfo(const std::string& text) {
    RecoveryInfo info;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "GraphFileName" && !value.empty()) info.GraphFileName = value;
        if (key == "Series") info.Series = std::atoi(value.c_str());
        if (key == "Rows") info.Rows = std::atoll(value.c_str());
    }
    return info;
}

std::unique_ptr<Document> SnapshotOf(const Document& doc) {
    auto copy = std::make_unique<Document>();
    copy->Settings = doc.Settings;
    copy->Prefs = doc.Prefs;
    copy->ConstantK = doc.ConstantK;
    copy->GraphFileName = doc.GraphFileName;
    for (const auto& s : doc.DataWindows()) {
        auto series = std::make_unique<Series>(*s);
        copy->PutBackSeries(series);
    }
    return copy;
}

// ---------------------------------------------------------------- locks

FileLock::FileLock(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return;
    }
    fd_ = fd;
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_);
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

// ---------------------------------------------------------------- left by others

std::vector<LeftRecovery> FindLeftRecoveries(const std::string& folder) {
    std::vector<LeftRecovery> found;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
        const std::string name = e.path().filename().string();
        if (name.rfind(Prefix, 0) != 0 || e.path().extension() != ".gra") continue;
        const std::string stem = folder + "/" + e.path().stem().string();
        LeftRecovery left;
        left.Lock = FileLock(stem + ".lock");
        if (!left.Lock.Held()) continue; // its program is running
        struct stat st {};
        if (::stat(e.path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        left.GraphFile = e.path().string();
        left.InfoFile = stem + ".info";
        left.Written = st.st_mtime;
        std::ifstream info(left.InfoFile);
        std::ostringstream text;
        text << info.rdbuf();
        left.Info = ParseRecoveryInfo(text.str());
        found.push_back(std::move(left));
    }
    std::sort(found.begin(), found.end(),
              [](const LeftRecovery& a, const LeftRecovery& b) { return a.Written > b.Written; });
    return found;
}

std::string RecoverQuestionText(const LeftRecovery& left) {
    const RecoveryInfo& i = left.Info;
    std::string text = "Torvel Graphics did not close normally last time. Unsaved work was "
                       "kept on ";
    text += LocalTime(left.Written, "%Y-%m-%d at %H:%M:%S");
    text += ": ";
    text += std::to_string(i.Series);
    text += " series, ";
    text += std::to_string(i.Rows);
    text += i.Rows == 1 ? " row" : " rows";
    text += " of the graph ";
    text += i.GraphFileName;
    text += ".\n\nRecover it? [YES] opens it as unsaved work -- [NO] keeps it as a file "
            "recovered-<date>.gra in ";
    text += left.GraphFile.substr(0, left.GraphFile.find_last_of('/'));
    return text;
}

std::string SetAside(const LeftRecovery& left) {
    const std::string folder = left.GraphFile.substr(0, left.GraphFile.find_last_of('/'));
    const std::string base = folder + "/recovered-" + LocalTime(left.Written, "%Y-%m-%d-%H%M%S");
    std::string target = base + ".gra";
    for (int n = 2; fs::exists(target) && n < 1000; ++n)
        target = base + "-" + std::to_string(n) + ".gra";
    // link and unlink: never over a file that is there.
    if (::link(left.GraphFile.c_str(), target.c_str()) != 0) return {};
    Forget(left);
    return target;
}

void Forget(const LeftRecovery& left) {
    ::unlink(left.GraphFile.c_str());
    ::unlink(left.InfoFile.c_str());
    const std::string lock = left.InfoFile.substr(0, left.InfoFile.size() - 5) + ".lock";
    ::unlink(lock.c_str());
}

// ---------------------------------------------------------------- this program's file

RecoveryWriter::RecoveryWriter(std::string folder, long pid) : folder_(std::move(folder)) {
    const std::string stem = StemOf(folder_, pid);
    graphFile_ = stem + ".gra";
    infoFile_ = stem + ".info";
    lockFile_ = stem + ".lock";
    std::error_code ec;
    fs::create_directories(folder_, ec);
    ::chmod(folder_.c_str(), 0700); // the user's unsaved work is nobody else's
    lock_ = FileLock(lockFile_);
}

RecoveryWriter::~RecoveryWriter() {
    Remove();
    if (lock_.Held()) ::unlink(lockFile_.c_str());
}

void RecoveryWriter::Join() {
    if (worker_.joinable()) worker_.join();
}

bool RecoveryWriter::Start(std::unique_ptr<Document> snapshot,
                           std::function<void(std::string error)> done) {
    if (!Ready() || busy_) return false;
    Join();
    busy_ = true;
    cancel_ = false;
    worker_ = std::thread([this, doc = std::move(snapshot), done = std::move(done)] {
        std::string error;
        try {
            const std::string text = GraphFileText(*doc);
            const std::string info = RecoveryInfoText(InfoOf(*doc));
            const bool ok = WriteFileAtomically(
                graphFile_,
                [&](std::ostream& out) {
                    if (cancel_) return false; // abandoned: nothing is renamed
                    out.write(text.data(), static_cast<std::streamsize>(text.size()));
                    return static_cast<bool>(out) && !cancel_;
                },
                &error);
            if (ok) WriteText(infoFile_, info, &error);
            if (cancel_) error.clear();
        } catch (const std::exception& e) {
            error = e.what();
        }
        busy_ = false;
        if (done) done(error);
    });
    return true;
}

void RecoveryWriter::Adopt(const LeftRecovery& left) {
    cancel_ = true;
    Join();
    if (::rename(left.GraphFile.c_str(), graphFile_.c_str()) != 0) return;
    ::rename(left.InfoFile.c_str(), infoFile_.c_str());
    Forget(left);
}

void RecoveryWriter::Remove() {
    cancel_ = true;
    Join();
    ::unlink(graphFile_.c_str());
    ::unlink(infoFile_.c_str());
}

} // namespace torvel
