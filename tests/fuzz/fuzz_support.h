// What the fuzz targets share: a failed check aborts (the fuzzer's finding),
// the input as a scratch file, and the ranges preferences must lie in.
#pragma once

#include "core/data_model.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace torvel::fuzz {

inline void Check(bool ok) {
    if (!ok) std::abort();
}

// The bytes written to a file of this process under `folder`, ending in
// `suffix`; the same path each run.
inline const std::string& ScratchFile(const std::uint8_t* data, std::size_t size,
                                      const char* folder, const char* suffix) {
    static const std::string path =
        std::string(folder) + "/torvel-fuzz-" + std::to_string(::getpid()) + suffix;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

inline void CheckInRange(const Preferences& p) {
    Check(p.MaxDataIndex >= 1 && p.MaxDataIndex <= MaxDataIndexLimit);
    Check(p.BarWidth >= 1 && p.BarWidth <= BarWidthLimit);
    Check(p.PrinterOptions >= 0 && p.PrinterOptions <= 7);
}

} // namespace torvel::fuzz
