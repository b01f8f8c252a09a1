// Reading and writing a large data file, and the texts of a whole column.
#include "core/document.h"
#include "core/grid_store.h"
#include "files/data_file.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace torvel {
namespace {

using bench::MillionRows;
constexpr int BigRows = MillionRows;

Real SampleY(int i) {
    return std::sin(static_cast<Real>(i) * 0.001L) * 1234.5678L + 0.1L * i;
}

// X = 0, 1, 2 ... and a wavy Y.
Series& BigSeries(Document& doc) {
    return bench::LongSeries(
        doc, BigRows, [](int i) { return static_cast<Real>(i); }, SampleY);
}

// Resident and peak resident memory of this process in bytes.
long long StatusBytes(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string k = std::string(key) + ":";
    while (std::getline(in, line))
        if (line.compare(0, k.size(), k) == 0) return std::atoll(line.c_str() + k.size()) * 1024;
    return 0;
}
// Lets the peak counter start again from the current resident size.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// A 1,000,000-row file in the program's own form, made once per run.
const std::string& BigFile() {
    static const std::string path = [] {
        const auto dir =
            std::filesystem::temp_directory_path() / ("torvel-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        const std::string p = (dir / "big.prn").string();
        Document doc;
        std::ofstream out(p, std::ios::binary);
        WriteDataRows(BigSeries(doc), out);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                            ("torvel-bench-" + std::to_string(::getpid())),
                                        ec);
        });
        return p;
    }();
    return path;
}

void BM_ReadDataFile1M(benchmark::State& state) {
    const std::string& path = BigFile();
    long long growth = 0;
    for (auto _ : state) {
        Document doc;
        SilentFeedback fb;
        const long long before = StatusBytes("VmRSS");
        ResetPeak();
        const auto created = ReadDataFile(doc, path, fb);
        growth = std::max(growth, StatusBytes("VmHWM") - before);
        if (created.size() != 1 || created[0]->IndexCount != BigRows)
            state.SkipWithError("file not read");
        benchmark::DoNotOptimize(created[0]->Cell(YColumn, BigRows));
    }
    state.counters["rows"] = BigRows;
    state.counters["peak_bytes_per_row"] = static_cast<double>(growth) / BigRows;
}
BENCHMARK(BM_ReadDataFile1M)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WriteDataFile1M(benchmark::State& state) {
    Document doc;
    Series& s = BigSeries(doc);
    const std::string path = BigFile() + ".out";
    for (auto _ : state) {
        if (!WriteDataFile(s, path)) state.SkipWithError("not written");
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_WriteDataFile1M)->Unit(benchmark::kMillisecond)->Iterations(2);

// The texts of every X and Y cell, made from the kept values, as a copy of
// the whole column does; the window itself only makes the visible ones.
void BM_CellTexts1M(benchmark::State& state) {
    Document doc;
    Series& s = BigSeries(doc);
    for (auto _ : state) {
        std::size_t chars = 0;
        for (int r = 1; r <= BigRows; ++r)
            chars += s.Cell(XColumn, r).size() + s.Cell(YColumn, r).size();
        benchmark::DoNotOptimize(chars);
    }
    state.SetItemsProcessed(state.iterations() * BigRows);
}
BENCHMARK(BM_CellTexts1M)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace torvel
