// Text editors may start a UTF-8 file with a byte-order mark; every reader of
// the program's text files skips it, so the first value is not lost to it.
#pragma once

#include <string_view>

namespace torvel {

inline constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

inline std::string_view WithoutUtf8Bom(std::string_view text) {
    return text.starts_with(Utf8Bom) ? text.substr(Utf8Bom.size()) : text;
}

} // namespace torvel
