// Just enough JSON writing for the bridge and the description export.
#pragma once

#include <string>
#include <string_view>

namespace milfo::web {

// s as a JSON string literal, quotes included.
inline std::string quoted(std::string_view s)
{
    static const char* hex = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            out += "\\u00";
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A JSON array of item(x) for every x of items, in order.
template <typename T, typename F>
std::string list(const T& items, F item)
{
    std::string out = "[";
    bool first = true;
    for (const auto& x : items) {
        out += first ? "" : ",";
        out += item(x);
        first = false;
    }
    return out + "]";
}

}  // namespace milfo::web
