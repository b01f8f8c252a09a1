// Any bytes read as a graph file give a loaded document or the incompatible
// format message; a loaded document is sound, and what it writes reads back
// to the same file.
#include "files/graph_file.h"

#include "fuzz_support.h"

#include <array>
#include <string>
#include <string_view>

using namespace torvel;
using fuzz::Check;

namespace {

void CheckSound(const Document& doc) {
    Check(doc.SeriesCount() <= MaxSeries);
    std::array<bool, MaxSeries + 1> seen{};
    int previous = 0;
    for (const auto& s : doc.DataWindows()) {
        Check(s->SeriesNumber >= 1 && s->SeriesNumber <= MaxSeries);
        Check(!seen[static_cast<std::size_t>(s->SeriesNumber)]);
        seen[static_cast<std::size_t>(s->SeriesNumber)] = true;
        Check(doc.SeriesNumberUsed[static_cast<std::size_t>(s->SeriesNumber)]);
        Check(s->SeriesNumber > previous);
        previous = s->SeriesNumber;
        Check(s->IndexCount >= 0 && s->Store().Size() == static_cast<std::size_t>(s->IndexCount));
        Check(s->GraphType >= 1 && s->GraphType <= 7);
        Check(s->Fit.FitKind >= 0 && s->Fit.FitKind <= 8);
        Check(s->Fit.SeriesNumber == s->SeriesNumber);
    }
    fuzz::CheckInRange(doc.Prefs);
}

bool SameRows(const Document& a, const Document& b) {
    for (std::size_t i = 0; i < a.DataWindows().size(); ++i) {
        const RowStore& r = a.DataWindows()[i]->Store();
        const RowStore& s = b.DataWindows()[i]->Store();
        if (r.Size() != s.Size()) return false;
        for (std::size_t k = 0; k < r.Size(); ++k) {
            const Tdata x = r.Row(k), y = s.Row(k);
            if (x.X != y.X || x.Y != y.Y || x.XValid != y.XValid || x.YValid != y.YValid)
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    SilentFeedback fb;
    Document doc;
    ReadGraphText(doc, "fuzz.gra", text, fb);
    CheckSound(doc); // what a failed load leaves open is sound too
    if (doc.GraphLoadFailed) return 0;

    const std::string first = GraphFileText(doc);
    Document again;
    ReadGraphText(again, "fuzz.gra", first, fb);
    Check(!again.GraphLoadFailed);
    CheckSound(again);
    Check(again.SeriesCount() == doc.SeriesCount());
    // Values with more digits than the file keeps are rounded by the save, and
    // a fit recomputed from them may move in its last digits; values that came
    // back exactly must give the same file again. Either way the file the
    // program wrote reads back to itself.
    const std::string second = GraphFileText(again);
    if (SameRows(doc, again)) Check(second == first);
    Document third;
    ReadGraphText(third, "fuzz.gra", second, fb);
    Check(!third.GraphLoadFailed);
    Check(GraphFileText(third) == second);
    return 0;
}
