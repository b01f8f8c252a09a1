// Any bytes read as a data file give new series or a message, never a crash,
// and what a loaded series writes reads back to the same rows.
#include "core/grid_store.h"
#include "files/data_file.h"

#include "fuzz_support.h"

#include <cstdio>
#include <sstream>

using namespace torvel;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = fuzz::ScratchFile(data, size, "/tmp", "-data.prn");
    SilentFeedback fb;
    Document doc;
    const std::vector<Series*> created = ReadDataFile(doc, path, fb);
    Check(doc.SeriesCount() <= MaxSeries);
    Check(created.size() == static_cast<std::size_t>(doc.SeriesCount()));
    for (Series* s : created) {
        Check(s->Store().Size() == static_cast<std::size_t>(s->IndexCount));
        Check(s->SeriesNumber >= 1 && s->SeriesNumber <= MaxSeries);
    }
    if (!created.empty()) {
        // The first series written and read back gives the same values.
        Series& s = *created.front();
        // The rows exactly as the save writes them, without the safe-save
        // machinery (its sync to disk would slow every run down).
        GridToRows(s);
        std::ostringstream rows;
        WriteDataRows(s, rows);
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out << rows.str();
        }
        Document back;
        const std::vector<Series*> again = ReadDataFile(back, path, fb);
        Check(again.size() == 1);
        Check(again.front()->IndexCount == s.IndexCount);
        for (std::size_t r = 0; r < s.Store().Size(); ++r) {
            const Tdata& a = s.Store().Row(r);
            const Tdata& b = again.front()->Store().Row(r);
            Check(a.XValid == b.XValid && a.YValid == b.YValid);
        }
    }
    std::remove(path.c_str());
    return 0;
}
