// Importing a 1,000,000-row, 4-column comma-separated table with a header
// against opening the same numbers as a .prn (blank-separated), and the
// sniffing and preview of the dialog. The whole-process comparison with
// pandas.read_csv is bench/table_vs_prn_pandas.sh.
#include "core/document.h"
#include "files/data_file.h"
#include "files/table_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace torvel {
namespace {

constexpr int Rows = 1'000'000;

// The same numbers once as CSV with a header, once as a .prn.
const std::string& Folder() {
    static const std::string folder = [] {
        const auto dir = std::filesystem::temp_directory_path() / "torvel-bench-table";
        std::filesystem::create_directories(dir);
        std::ofstream csv(dir / "t.csv"), prn(dir / "t.prn");
        csv << "time,temp,pressure,humidity\n";
        char line[128];
        for (int i = 0; i < Rows; ++i) {
            const int n = std::snprintf(line, sizeof line, "%.3f,%.4f,%.2f,%.5f\n", i * 0.001,
                                        20 + (i % 1000) * 0.0123, 1013.25 - (i % 777) * 0.01,
                                        (i % 97) * 0.00731);
            csv.write(line, n);
            for (int k = 0; k < n; ++k)
                if (line[k] == ',') line[k] = ' ';
            prn.write(line, n);
        }
        return dir.string();
    }();
    return folder;
}

void BM_OpenPrn1M(benchmark::State& state) {
    const std::string path = Folder() + "/t.prn";
    for (auto _ : state) {
        Document doc;
        SilentFeedback fb;
        benchmark::DoNotOptimize(ReadDataFile(doc, path, fb).size());
    }
}
BENCHMARK(BM_OpenPrn1M)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportCsv1M(benchmark::State& state) {
    const std::string path = Folder() + "/t.csv";
    for (auto _ : state) {
        Document doc;
        SilentFeedback fb;
        const TableFormat format = SniffTable(ReadTableHead(path));
        benchmark::DoNotOptimize(ReadTableFile(doc, path, format, fb).Rows);
    }
}
BENCHMARK(BM_ImportCsv1M)->Unit(benchmark::kMillisecond)->Iterations(3);

// What the dialog does when it opens, whatever the file's size.
void BM_SniffAndPreview(benchmark::State& state) {
    const std::string path = Folder() + "/t.csv";
    for (auto _ : state) {
        const TableHead head = ReadTableHead(path);
        const TableFormat format = SniffTable(head);
        benchmark::DoNotOptimize(PreviewTable(head, format, 100).Columns);
    }
}
BENCHMARK(BM_SniffAndPreview)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace torvel
