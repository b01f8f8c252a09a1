// The history of one graph document: every change made through a recorded
// step can be undone and redone, in the order it was made. A step keeps only
// what it changed: the old values, flags and kept texts of the cells it
// touched, the old attributes of a series, the old settings, or the series it
// removed (moved in, not copied). Undo swaps what a step keeps with what the
// document holds now, which is then what Redo swaps back: the document returns
// bit for bit to each earlier state.
#pragma once

#include "core/change_recorder.h"
#include "core/document.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace torvel {

class History : public ChangeRecorder {
  public:
    // The history may always keep this much, however small the data.
    static constexpr std::size_t MemoryFloor = std::size_t{64} << 20;
    // Steps kept at most, however small.
    static constexpr std::size_t MaxSteps = 1000;

    // Records the document's changes from now on (sets doc.Recorder).
    explicit History(Document& doc);
    ~History() override;
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // The name of the step Undo (Redo) would take back (do again), or empty.
    std::string UndoName() const;
    std::string RedoName() const;
    std::size_t UndoCount() const { return undo_.size(); }
    std::size_t RedoCount() const { return redo_.size(); }
    // False when there was nothing to undo (redo).
    bool Undo();
    bool Redo();

    // A new history: opening a graph file, New Graph File. Nothing is unsaved.
    void Clear();
    // The document was saved as it is now.
    void MarkSaved();
    // The document holds work no file has (recovered after a crash).
    void MarkUnsaved();
    // Something was changed since the last save (or the start of the history).
    bool Unsaved() const { return unrecorded_ || position_ != saved_; }
    // Rises with every change made through the history (a step, an undo, a redo).
    std::uint64_t Version() const { return version_; }

    // What the kept steps hold, and how much they may hold: a quarter of the
    // series data (the document's and the history's), at least the floor.
    std::size_t Bytes() const { return bytes_; }
    std::size_t MemoryBound() const;
    // Tests lower the floor to see the bound at work.
    void SetMemoryFloor(std::size_t bytes) { floor_ = bytes; }

    // Told after every change of the history: a step kept, undone, redone,
    // dropped, a save marked. The menus and the recovery file follow.
    std::function<void()> Changed;
    // A step ran but was too large to keep: the history was emptied, as its
    // older steps may no longer fit the data. The status bar says so.
    std::function<void(const std::string& name)> NotUndoable;

    // ChangeRecorder
    void BeginStep(const std::string& name) override;
    void EndStep(bool failed) override;
    void CaptureCells(Series& series, int firstCol, int lastCol, int firstRow,
                      int lastRow) override;
    void CaptureCellAsText(Series& series, int col, int row, const std::string& text) override;
    void CaptureAttributes(Series& series) override;
    void CaptureSettings() override;
    void SeriesCreated(Series& series) override;
    void SeriesDestroyed(std::unique_ptr<Series> series) override;

    struct Step;

  private:
    void Tell() const;
    // Undo (undo) or Redo: the last step of one list swapped and moved to the other.
    bool Move(bool undo);
    void DropAll();
    void Commit(std::unique_ptr<Step> step);
    void KeepWithinBound();
    bool References(const Series& series) const;
    std::size_t HeldSeriesBytes() const;
    // Makes room in the open step for `bytes` more; false (and the step
    // becomes unkeepable) when it would pass the bound on its own.
    bool Reserve(std::size_t bytes);
    void GiveUpOpenStep();

    Document& doc_;
    std::deque<std::unique_ptr<Step>> undo_; // oldest first
    std::deque<std::unique_ptr<Step>> redo_; // next to redo last
    std::unique_ptr<Step> open_;
    int depth_ = 0;
    bool tooLarge_ = false;
    std::size_t bytes_ = 0;
    std::size_t floor_ = MemoryFloor;
    std::uint64_t nextId_ = 0;
    std::uint64_t position_ = 0; // the id of the last step applied, 0 for none
    std::uint64_t saved_ = 0;
    bool unrecorded_ = false;
    std::uint64_t version_ = 0;
};

} // namespace torvel
