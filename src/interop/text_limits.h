#pragma once
// A guard for the parsers: a file nested deeper than any design needs is refused before it is
// parsed, so that a damaged or hostile file cannot exhaust the stack.

#include <string_view>

#include "interop/import_report.h"

namespace tarvo {

inline constexpr int kMaxNesting = 64;

// Throws ImportRefusal when brackets or braces nest deeper than kMaxNesting.
inline void CheckNesting(std::string_view text) {
    int depth = 0;
    for (const char c : text) {
        if (c == '[' || c == '{') {
            if (++depth > kMaxNesting) {
                throw ImportRefusal("вложенность глубже " + std::to_string(kMaxNesting) +
                                    " уровней");
            }
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
}

}  // namespace tarvo
