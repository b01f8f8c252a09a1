// Any bytes read as a table give a preview and new series, or a message;
// never a crash, and never more rows than the file has lines.
#include "files/table_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace torvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/torvel-fuzz-table-" + std::to_string(::getpid());
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    const TableHead head = ReadTableHead(path, 4096);
    if (head.Problem.empty()) {
        const TableFormat format = SniffTable(head);
        PreviewTable(head, format, 10);
        SilentFeedback fb;
        Document doc;
        const TableLoad load = ReadTableFile(doc, path, format, fb);
        for (const Series* s : load.Created)
            if (s->IndexCount != load.Rows || load.Rows > static_cast<long long>(size) + 1)
                std::abort();
    }
    std::remove(path.c_str());
    return 0;
}
