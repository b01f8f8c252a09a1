// What tells a file apart from one another program put in its place: taken
// when the program reads or writes the file, compared before it writes the
// file again, so an outside change is never overwritten without a question.
#pragma once

namespace torvel {

struct FileIdentity {
    bool Known = false; // false: no file read or written yet
    unsigned long long Device = 0;
    unsigned long long Inode = 0;
    long long Size = 0;
    long long ModifiedSeconds = 0;
    long long ModifiedNanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;
};

} // namespace torvel
