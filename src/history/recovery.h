// The recovery file: while the document holds unsaved work, the whole of it
// is written now and then as a graph file to the user's state folder, so a
// crash loses at most the last half minute. Each running program writes its
// own file (named by its process id and held by a lock), so two never write
// over each other's; a normal end removes it. At the next start, files whose
// program is gone are offered back.
#pragma once

#include "core/document.h"

#include <atomic>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace torvel {

inline constexpr const char* RecoverTitle = "Recover Unsaved Work";

// $XDG_STATE_HOME/torvel-graphics, else $HOME/.local/state/torvel-graphics;
// empty when neither names an absolute folder.
std::string RecoveryFolderFor(const std::string& xdgStateHome, const std::string& home);

// What a recovery file holds, as the question tells it.
struct RecoveryInfo {
    std::string GraphFileName = NoNameGraph; // the graph file the work belongs to
    int Series = 0;
    long long Rows = 0;
};
RecoveryInfo InfoOf(const Document& doc);
std::string RecoveryInfoText(const RecoveryInfo& info);
RecoveryInfo ParseRecoveryInfo(const std::string& text);

// A copy of the document for writing on another thread: the series (values,
// texts, attributes, fits), the settings, K, the preferences, GraphFileName.
// Made on the caller's thread; as quick as copying the values.
std::unique_ptr<Document> SnapshotOf(const Document& doc);

// A file held locked while its holder lives (flock: a crashed program's lock
// goes with it).
class FileLock {
  public:
    FileLock() = default;
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(FileLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileLock& operator=(FileLock&& other) noexcept;
    bool Held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

// A recovery file left by a program that is no longer running.
struct LeftRecovery {
    std::string GraphFile; // the work, a graph file
    std::string InfoFile;
    RecoveryInfo Info;
    std::time_t Written = 0;
    FileLock Lock; // held while it is dealt with, so no other starting program takes it
};
// Newest first.
std::vector<LeftRecovery> FindLeftRecoveries(const std::string& folder);
// "Torvel Graphics was not closed normally. Unsaved work was kept on ...".
std::string RecoverQuestionText(const LeftRecovery& left);
// No: the file is kept aside as recovered-<date>.gra in the same folder (a
// number added when that name is taken); returns its path, empty on failure.
std::string SetAside(const LeftRecovery& left);
// Removes a left recovery's files once its work is in this program's hands.
void Forget(const LeftRecovery& left);

// This program's recovery file, written on a worker thread.
class RecoveryWriter {
  public:
    // folder is made when missing; pid names the files.
    RecoveryWriter(std::string folder, long pid);
    // Waits for a write under way and removes the files: a normal end.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    const std::string& GraphFile() const { return graphFile_; }
    // The folder could be made and the lock taken.
    bool Ready() const { return lock_.Held(); }
    bool Busy() const { return busy_; }
    // Writes the snapshot through the atomic save, then the info beside it;
    // false when a write is still under way. done is called on the worker
    // thread with the outcome (an empty error for success).
    bool Start(std::unique_ptr<Document> snapshot, std::function<void(std::string error)> done);
    // Yes to a left recovery: its files become this program's (the work is
    // now this program's unsaved work), until the next write replaces them.
    void Adopt(const LeftRecovery& left);
    // Nothing is unsaved any more: a write under way is abandoned and the
    // files go.
    void Remove();

  private:
    void Join();

    std::string folder_, graphFile_, infoFile_, lockFile_;
    FileLock lock_;
    std::thread worker_;
    std::atomic<bool> busy_{false};
    std::atomic<bool> cancel_{false};
};

} // namespace torvel
