// Any bytes read as a start-up file give a geometry and a graph file name, or
// neither, and preferences in their ranges (or the defaults and a message),
// never a crash; the preferences written back read back the same.
#include "files/startup_file.h"

#include "fuzz_support.h"

#include <cstdio>

using namespace torvel;
using fuzz::Check;
using fuzz::CheckInRange;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // In memory: the reload rewrites the file, and a disk's sync would slow every run.
    const std::string& path = fuzz::ScratchFile(data, size, "/dev/shm", ".fig");
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
