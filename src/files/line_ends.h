// Lines end with LF, CR LF or a CR alone (old spreadsheet exports save those):
// each is one line end, in every file the program reads as lines.
#pragma once

#include <cstddef>
#include <string_view>

namespace torvel {

// The line that starts at pos: returns where it ends (the text's size when it
// has no line end) and sets next to where the following line starts. One pass
// over the line itself, so reading a whole text is linear in its length.
inline std::size_t LineEndFrom(std::string_view text, std::size_t pos, std::size_t& next) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r')
        ++end;
    next = end;
    if (end < text.size()) {
        next = end + 1;
        if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
    }
    return end;
}

} // namespace torvel
