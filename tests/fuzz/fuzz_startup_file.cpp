// Any bytes read as a start-up file give a geometry and a graph file name, or
// neither, and preferences in their ranges (or the defaults and a message),
// never a crash; the preferences written back read back the same.
#include "files/startup_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace torvel;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

void CheckInRange(const Preferences& p) {
    Check(p.MaxDataIndex >= 1 && p.MaxDataIndex <= MaxDataIndexLimit);
    Check(p.BarWidth >= 1 && p.BarWidth <= BarWidthLimit);
    Check(p.PrinterOptions >= 0 && p.PrinterOptions <= 7);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // In memory: the reload rewrites the file, and a disk's sync would slow every run.
    static const std::string path = "/dev/shm/torvel-fuzz-" + std::to_string(::getpid()) + ".fig";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const StartupFile read = ReadStartupFile(path);
    Check(read.Found && read.Error.empty());
    if (read.Geometry) Check(read.Geometry->Width > 0 && read.Geometry->Height > 0);
    if (read.GraphFileName)
        Check(!read.GraphFileName->empty() && read.GraphFileName->size() <= 4096);

    SilentFeedback fb;
    Preferences prefs;
    if (ReloadPreferences(prefs, path, fb)) {
        CheckInRange(prefs);
        Preferences again;
        Check(ReloadPreferences(again, path, fb));
        Check(again == prefs);
    } else {
        Check(prefs == Preferences{});
    }
    std::remove(path.c_str());
    return 0;
}
