#include "history/history.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <utility>
#include <variant>

namespace torvel {

namespace {

// The bytes of the 80-bit value; the rest of a long double is padding.
constexpr std::size_t ValueBytes = 10;

bool SameBits(Real a, Real b) {
    return std::memcmp(&a, &b, ValueBytes) == 0;
}

template <std::size_t N> bool SameBits(const std::array<Real, N>& a, const std::array<Real, N>& b) {
    for (std::size_t i = 0; i < N; ++i)
        if (!SameBits(a[i], b[i])) return false;
    return true;
}

// What a series' rows take in the store: X and Y packed in ten bytes each, a
// byte of flags, and the fitted column while there is a fit.
std::size_t SeriesBytes(const Series& s) {
    const std::size_t perRow = 2 * ValueBytes + 1 + (s.HasFit ? ValueBytes : 0);
    return static_cast<std::size_t>(s.IndexCount) * perRow + sizeof(Series);
}

// What a series shows besides its cells.
struct Attributes {
    bool YAxisLeft = true, ShowPoints = true, HasFit = false;
    int PrintColor = 0, GraphType = 0;
    std::string SeriesTitle;
    TFitObj Fit;
    std::array<std::string, 4> Headers;
};

Attributes AttributesOf(const Series& s) {
    Attributes a{s.YAxisLeft, s.ShowPoints,  s.HasFit, s.PrintColor,
                 s.GraphType, s.SeriesTitle, s.Fit,    {}};
    for (int c = 0; c < 4; ++c)
        a.Headers[static_cast<std::size_t>(c)] = s.Header(c);
    return a;
}

void Apply(Series& s, const Attributes& a) {
    s.YAxisLeft = a.YAxisLeft;
    s.ShowPoints = a.ShowPoints;
    s.HasFit = a.HasFit;
    s.PrintColor = a.PrintColor;
    s.GraphType = a.GraphType;
    s.SeriesTitle = a.SeriesTitle;
    s.Fit = a.Fit;
    for (int c = 0; c < 4; ++c)
        s.SetHeader(c, a.Headers[static_cast<std::size_t>(c)]);
}

bool Same(const Attributes& a, const Attributes& b) {
    return a.YAxisLeft == b.YAxisLeft && a.ShowPoints == b.ShowPoints && a.HasFit == b.HasFit &&
           a.PrintColor == b.PrintColor && a.GraphType == b.GraphType &&
           a.SeriesTitle == b.SeriesTitle && a.Headers == b.Headers &&
           SameBits(a.Fit.Coef, b.Fit.Coef) && SameBits(a.Fit.Sums, b.Fit.Sums) &&
           a.Fit.FitKind == b.Fit.FitKind && a.Fit.FitOK == b.Fit.FitOK &&
           a.Fit.EvalOK == b.Fit.EvalOK && a.Fit.SeriesNumber == b.Fit.SeriesNumber;
}

std::size_t BytesOf(const Attributes& a) {
    std::size_t n = sizeof a + a.SeriesTitle.capacity();
    for (const std::string& h : a.Headers)
        n += h.capacity();
    return n;
}

// The document-wide values a step may change, each kept only when it did.
enum SettingsPart : unsigned {
    GraphPart = 1,
    KPart = 2,
    PrefsPart = 4,
    NamePart = 8,
    AllParts = 15
};

struct CellBlock {
    Series* S;
    int Col;
    int First;
    std::vector<Real> Values;
    std::vector<unsigned char> Flags;
    std::vector<std::pair<int, std::string>> Texts; // row offset, kept text; in row order

    int Last() const { return First + static_cast<int>(Values.size()) - 1; }
    std::size_t Bytes() const {
        std::size_t n = sizeof *this + Values.capacity() * sizeof(Real) + Flags.capacity();
        for (const auto& t : Texts)
            n += sizeof t + t.second.capacity();
        return n;
    }
    // The cells' kept texts as the series holds them now.
    std::vector<std::pair<int, std::string>> TextsNow() const {
        std::vector<std::pair<int, std::string>> now;
        for (int i = 0; i < static_cast<int>(Values.size()); ++i)
            if (const std::string* t = S->KeptText(Col, First + i)) now.emplace_back(i, *t);
        return now;
    }
    void Capture() {
        const std::size_t n = Values.size();
        for (std::size_t i = 0; i < n; ++i) {
            const int row = First + static_cast<int>(i);
            Values[i] = S->ValueOf(Col, row);
            Flags[i] = S->HasValue(Col, row);
        }
        Texts = TextsNow();
    }
    void Swap() {
        std::vector<std::pair<int, std::string>> now = TextsNow();
        const std::size_t n = Values.size();
        for (std::size_t i = 0; i < n; ++i) {
            const int row = First + static_cast<int>(i);
            const Real value = S->ValueOf(Col, row);
            const bool flag = S->HasValue(Col, row);
            if (Flags[i])
                S->SetValue(Col, row, Values[i]);
            else
                S->ClearValue(Col, row);
            Values[i] = value;
            Flags[i] = flag;
        }
        // A kept text reads back as the value it was kept beside.
        for (const auto& [i, text] : Texts)
            S->SetCell(Col, First + i, text);
        Texts = std::move(now);
    }
    // Drops the rows at either end that the step left as they were; false
    // when none changed.
    bool Trim() {
        const std::vector<std::pair<int, std::string>> now = TextsNow();
        const int n = static_cast<int>(Values.size());
        std::vector<unsigned char> changed(static_cast<std::size_t>(n), 0);
        for (int i = 0; i < n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            const int row = First + i;
            const bool flag = S->HasValue(Col, row);
            changed[k] = flag != static_cast<bool>(Flags[k]) ||
                         (flag && !SameBits(S->ValueOf(Col, row), Values[k]));
        }
        // Texts: a cell whose kept text came, went or differs changed.
        auto a = Texts.begin();
        auto b = now.begin();
        while (a != Texts.end() || b != now.end()) {
            if (b == now.end() || (a != Texts.end() && a->first < b->first)) {
                changed[static_cast<std::size_t>((a++)->first)] = 1;
            } else if (a == Texts.end() || b->first < a->first) {
                changed[static_cast<std::size_t>((b++)->first)] = 1;
            } else {
                if (a->second != b->second) changed[static_cast<std::size_t>(a->first)] = 1;
                ++a;
                ++b;
            }
        }
        const auto first = std::find(changed.begin(), changed.end(), 1);
        if (first == changed.end()) return false;
        const auto from = static_cast<int>(first - changed.begin());
        const auto to =
            static_cast<int>(changed.rend() - std::find(changed.rbegin(), changed.rend(), 1));
        Values.erase(Values.begin() + to, Values.end());
        Values.erase(Values.begin(), Values.begin() + from);
        Flags.erase(Flags.begin() + to, Flags.end());
        Flags.erase(Flags.begin(), Flags.begin() + from);
        std::erase_if(Texts, [&](const auto& t) { return t.first < from || t.first >= to; });
        for (auto& t : Texts)
            t.first -= from;
        First += from;
        Values.shrink_to_fit();
        Flags.shrink_to_fit();
        return true;
    }
};

struct AttributeEntry {
    Series* S;
    Attributes Kept;
};

struct SettingsEntry {
    GraphSettings Graph;
    Real K = 0;
    Preferences Prefs;
    std::string GraphFileName;
    FileIdentity GraphFileIdentity; // goes with the name
    unsigned Parts = AllParts;
};

// A series the step made (Held empty while it is in the document) or removed
// (Held keeps it while it is out).
struct PresenceEntry {
    Series* S;
    std::unique_ptr<Series> Held;
};

using Entry = std::variant<CellBlock, AttributeEntry, SettingsEntry, PresenceEntry>;

Series* SeriesOf(const Entry& e) {
    if (const auto* c = std::get_if<CellBlock>(&e)) return c->S;
    if (const auto* a = std::get_if<AttributeEntry>(&e)) return a->S;
    if (const auto* p = std::get_if<PresenceEntry>(&e)) return p->S;
    return nullptr;
}

} // namespace

struct History::Step {
    std::string Name;
    std::uint64_t Id = 0;
    std::uint64_t Before = 0; // the position before it was applied
    std::vector<Entry> Entries;
    std::size_t Bytes = 0;     // what it keeps, held series included
    std::size_t HeldBytes = 0; // of which series it holds

    void Measure() {
        Bytes = sizeof *this + Name.capacity();
        HeldBytes = 0;
        for (const Entry& e : Entries) {
            if (const auto* c = std::get_if<CellBlock>(&e)) {
                Bytes += c->Bytes();
            } else if (const auto* a = std::get_if<AttributeEntry>(&e)) {
                Bytes += BytesOf(a->Kept);
            } else if (const auto* s = std::get_if<SettingsEntry>(&e)) {
                Bytes += sizeof *s + s->GraphFileName.capacity();
            } else if (const auto& p = std::get<PresenceEntry>(e); p.Held) {
                HeldBytes += SeriesBytes(*p.Held);
            }
        }
        Bytes += HeldBytes;
    }

    bool References(const Series* series) const {
        return std::any_of(Entries.begin(), Entries.end(),
                           [&](const Entry& e) { return SeriesOf(e) == series; });
    }

    template <class T> T* Find(const Series* series) {
        for (Entry& e : Entries)
            if (auto* t = std::get_if<T>(&e); t && SeriesOf(e) == series) return t;
        return nullptr;
    }

    // Undo swaps the entries last first, Redo first first.
    void Swap(Document& doc, bool backwards) {
        const std::size_t n = Entries.size();
        for (std::size_t k = 0; k < n; ++k)
            SwapEntry(doc, Entries[backwards ? n - 1 - k : k]);
    }

    static void SwapEntry(Document& doc, Entry& e) {
        if (auto* c = std::get_if<CellBlock>(&e)) {
            c->Swap();
        } else if (auto* a = std::get_if<AttributeEntry>(&e)) {
            Attributes now = AttributesOf(*a->S);
            Apply(*a->S, a->Kept);
            a->Kept = std::move(now);
        } else if (auto* s = std::get_if<SettingsEntry>(&e)) {
            if (s->Parts & GraphPart) std::swap(s->Graph, doc.Settings);
            if (s->Parts & KPart) std::swap(s->K, doc.ConstantK);
            if (s->Parts & PrefsPart) std::swap(s->Prefs, doc.Prefs);
            if (s->Parts & NamePart) {
                std::swap(s->GraphFileName, doc.GraphFileName);
                std::swap(s->GraphFileIdentity, doc.GraphFileIdentity);
            }
        } else {
            auto& p = std::get<PresenceEntry>(e);
            if (p.Held)
                doc.PutBackSeries(p.Held);
            else
                p.Held = doc.TakeSeries(*p.S);
        }
    }

    // Forgets what the step left as it was; true when anything is left.
    bool Trim(const Document& doc) {
        std::erase_if(Entries, [&](Entry& e) {
            if (auto* c = std::get_if<CellBlock>(&e)) return !c->Trim();
            if (auto* a = std::get_if<AttributeEntry>(&e))
                return Same(a->Kept, AttributesOf(*a->S));
            if (auto* s = std::get_if<SettingsEntry>(&e)) {
                unsigned parts = 0;
                if (!(s->Graph == doc.Settings)) parts |= GraphPart;
                if (!SameBits(s->K, doc.ConstantK)) parts |= KPart;
                if (!(s->Prefs == doc.Prefs)) parts |= PrefsPart;
                if (s->GraphFileName != doc.GraphFileName) parts |= NamePart;
                s->Parts = parts;
                return parts == 0;
            }
            return false;
        });
        return !Entries.empty();
    }
};

History::History(Document& doc) : doc_(doc) {
    doc_.Recorder = this;
}

History::~History() {
    if (doc_.Recorder == this) doc_.Recorder = nullptr;
}

std::string History::UndoName() const {
    return undo_.empty() ? std::string() : undo_.back()->Name;
}

std::string History::RedoName() const {
    return redo_.empty() ? std::string() : redo_.back()->Name;
}

void History::Tell() const {
    if (Changed) Changed();
}

std::size_t History::HeldSeriesBytes() const {
    std::size_t n = 0;
    for (const auto& s : undo_)
        n += s->HeldBytes;
    for (const auto& s : redo_)
        n += s->HeldBytes;
    return n;
}

std::size_t History::MemoryBound() const {
    std::size_t data = HeldSeriesBytes();
    for (const auto& s : doc_.DataWindows())
        data += SeriesBytes(*s);
    return std::max(floor_, data / 4);
}

bool History::References(const Series& series) const {
    auto refers = [&](const auto& step) { return step->References(&series); };
    return std::any_of(undo_.begin(), undo_.end(), refers) ||
           std::any_of(redo_.begin(), redo_.end(), refers);
}

void History::DropAll() {
    undo_.clear();
    redo_.clear();
    bytes_ = 0;
}

bool History::Undo() {
    return Move(true);
}

bool History::Redo() {
    return Move(false);
}

bool History::Move(bool undo) {
    std::deque<std::unique_ptr<Step>>& from = undo ? undo_ : redo_;
    std::deque<std::unique_ptr<Step>>& to = undo ? redo_ : undo_;
    if (from.empty() || open_) return false;
    std::unique_ptr<Step> step = std::move(from.back());
    from.pop_back();
    bytes_ -= step->Bytes;
    try {
        step->Swap(doc_, undo);
    } catch (...) {
        // Half swapped: no step can be trusted any more.
        DropAll();
        unrecorded_ = true;
        ++version_;
        Tell();
        throw;
    }
    position_ = undo ? step->Before : step->Id;
    step->Measure();
    bytes_ += step->Bytes;
    to.push_back(std::move(step));
    ++version_;
    Tell();
    return true;
}

void History::Clear() {
    DropAll();
    unrecorded_ = false;
    position_ = saved_ = 0;
    ++version_;
    Tell();
}

void History::MarkSaved() {
    saved_ = position_;
    unrecorded_ = false;
    ++version_;
    Tell();
}

void History::MarkUnsaved() {
    unrecorded_ = true;
    ++version_;
    Tell();
}

void History::BeginStep(const std::string& name) {
    if (depth_++ > 0) return;
    open_ = std::make_unique<Step>();
    open_->Name = name;
    tooLarge_ = false;
}

void History::EndStep(bool failed) {
    if (depth_ == 0 || --depth_ > 0) return;
    std::unique_ptr<Step> step = std::move(open_);
    bool keepable = !std::exchange(tooLarge_, false);
    // Called from a destructor: nothing may leave here by an exception.
    try {
        if (failed && keepable) {
            // The command did not finish: what it changed goes back.
            step->Swap(doc_, true);
            return;
        }
        if (keepable && !failed) {
            if (!step->Trim(doc_)) return; // nothing changed
            Commit(std::move(step));
            return;
        }
    } catch (...) {
        keepable = false;
    }
    const std::string name = step ? step->Name : std::string();
    step.reset();
    DropAll();
    unrecorded_ = true;
    ++version_;
    if (!failed && NotUndoable) NotUndoable(name);
    Tell();
}

void History::Commit(std::unique_ptr<Step> step) {
    for (const auto& s : redo_)
        bytes_ -= s->Bytes;
    redo_.clear(); // a new branch: what was undone cannot come back
    step->Id = ++nextId_;
    step->Before = position_;
    position_ = step->Id;
    step->Measure();
    bytes_ += step->Bytes;
    undo_.push_back(std::move(step));
    ++version_;
    KeepWithinBound();
    Tell();
}

void History::KeepWithinBound() {
    // The newest step always stays: it was kept within the bound on its own.
    const std::size_t bound = MemoryBound();
    while (undo_.size() > 1 && (undo_.size() > MaxSteps || bytes_ > bound)) {
        bytes_ -= undo_.front()->Bytes;
        undo_.pop_front();
    }
}

bool History::Reserve(std::size_t bytes) {
    if (!open_ || tooLarge_) return false;
    if (open_->Bytes + bytes > MemoryBound()) {
        GiveUpOpenStep();
        return false;
    }
    open_->Bytes += bytes;
    return true;
}

void History::GiveUpOpenStep() {
    tooLarge_ = true;
    // What was captured is of no use; series the step removed are kept
    // until it ends (their windows are gone, they are not).
    std::erase_if(open_->Entries,
                  [](const Entry& e) { return !std::holds_alternative<PresenceEntry>(e); });
}

void History::CaptureCells(Series& series, int firstCol, int lastCol, int firstRow, int lastRow) {
    if (!open_ || tooLarge_ || open_->Find<PresenceEntry>(&series)) return;
    for (int col = firstCol; col <= lastCol; ++col) {
        // Only rows not yet captured in this step: the others already hold
        // their state from before it.
        std::vector<std::pair<int, int>> taken;
        for (const Entry& e : open_->Entries)
            if (const auto* c = std::get_if<CellBlock>(&e); c && c->S == &series && c->Col == col)
                taken.emplace_back(c->First, c->Last());
        std::sort(taken.begin(), taken.end());
        int row = firstRow;
        auto capture = [&](int from, int to) {
            if (from > to) return;
            const auto n = static_cast<std::size_t>(to - from + 1);
            if (!Reserve(n * (sizeof(Real) + 1) + sizeof(CellBlock))) return;
            try {
                CellBlock block{
                    &series, col, from, std::vector<Real>(n), std::vector<unsigned char>(n), {}};
                block.Capture();
                open_->Entries.emplace_back(std::move(block));
            } catch (const std::bad_alloc&) {
                GiveUpOpenStep(); // the command still runs, without its undo
            }
        };
        for (const auto& [from, to] : taken) {
            if (to < row) continue;
            capture(row, std::min(lastRow, from - 1));
            row = std::max(row, to + 1);
            if (row > lastRow) break;
        }
        capture(row, lastRow);
        if (tooLarge_) return;
    }
}

void History::CaptureCellAsText(Series& series, int col, int row, const std::string& text) {
    if (!open_ || tooLarge_ || open_->Find<PresenceEntry>(&series)) return;
    for (const Entry& e : open_->Entries)
        if (const auto* c = std::get_if<CellBlock>(&e);
            c && c->S == &series && c->Col == col && row >= c->First && row <= c->Last())
            return;
    if (!Reserve(sizeof(CellBlock) + sizeof(Real) + 1 + text.size())) return;
    try {
        // The cell as setting it to the text makes it, by the grid's own rule.
        Series cell(series.SeriesNumber, 1);
        cell.SetCell(col, 1, text);
        CellBlock block{&series, col, row, {}, {}, {}};
        block.Values.push_back(cell.ValueOf(col, 1));
        block.Flags.push_back(cell.HasValue(col, 1));
        if (const std::string* kept = cell.KeptText(col, 1)) block.Texts.emplace_back(0, *kept);
        open_->Entries.emplace_back(std::move(block));
    } catch (const std::bad_alloc&) {
        GiveUpOpenStep();
    }
}

void History::CaptureAttributes(Series& series) {
    if (!open_ || tooLarge_ || open_->Find<PresenceEntry>(&series) ||
        open_->Find<AttributeEntry>(&series))
        return;
    if (!Reserve(sizeof(AttributeEntry) + series.SeriesTitle.size())) return;
    try {
        open_->Entries.emplace_back(AttributeEntry{&series, AttributesOf(series)});
    } catch (const std::bad_alloc&) {
        GiveUpOpenStep();
    }
}

void History::CaptureSettings() {
    if (!open_ || tooLarge_) return;
    for (const Entry& e : open_->Entries)
        if (std::holds_alternative<SettingsEntry>(e)) return;
    if (!Reserve(sizeof(SettingsEntry) + doc_.GraphFileName.size())) return;
    try {
        open_->Entries.emplace_back(SettingsEntry{doc_.Settings, doc_.ConstantK, doc_.Prefs,
                                                  doc_.GraphFileName, doc_.GraphFileIdentity});
    } catch (const std::bad_alloc&) {
        GiveUpOpenStep();
    }
}

void History::SeriesCreated(Series& series) {
    if (open_) {
        open_->Entries.emplace_back(PresenceEntry{&series, nullptr});
        return;
    }
    // Made outside any step: an undo that brings back a series of the same
    // number could not. Such a history is let go.
    bool clash = false;
    auto check = [&](const auto& step) {
        for (const Entry& e : step->Entries)
            if (const auto* p = std::get_if<PresenceEntry>(&e);
                p && p->Held && p->Held->SeriesNumber == series.SeriesNumber)
                clash = true;
    };
    std::for_each(undo_.begin(), undo_.end(), check);
    std::for_each(redo_.begin(), redo_.end(), check);
    unrecorded_ = true;
    if (clash) DropAll();
    ++version_;
    Tell();
}

void History::SeriesDestroyed(std::unique_ptr<Series> series) {
    if (open_) {
        if (PresenceEntry* made = open_->Find<PresenceEntry>(series.get()); made && !made->Held) {
            // Made and removed by the same step: nothing to bring back.
            std::erase_if(open_->Entries,
                          [&](const Entry& e) { return SeriesOf(e) == series.get(); });
            return;
        }
        open_->Entries.emplace_back(PresenceEntry{series.get(), std::move(series)});
        return;
    }
    // Removed outside any step: steps that touch it can no longer be undone.
    if (References(*series)) DropAll();
    unrecorded_ = true;
    series.reset();
    ++version_;
    Tell();
}

} // namespace torvel
