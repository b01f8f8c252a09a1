// Any bytes read as a table give a preview and new series, or a message;
// never a crash, and never more rows than the file has lines.
#include "files/table_file.h"

#include "fuzz_support.h"

#include <cstdio>

using namespace torvel;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = fuzz::ScratchFile(data, size, "/tmp", "-table");
    const TableHead head = ReadTableHead(path, 4096);
    if (head.Problem.empty()) {
        const TableFormat format = SniffTable(head);
        PreviewTable(head, format, 10);
        SilentFeedback fb;
        Document doc;
        const TableLoad load = ReadTableFile(doc, path, format, fb);
        for (const Series* s : load.Created)
            Check(s->IndexCount == load.Rows && load.Rows <= static_cast<long long>(size) + 1);
    }
    std::remove(path.c_str());
    return 0;
}
