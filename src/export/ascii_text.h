#pragma once
// Text for files that must be plain ASCII: Russian letters are transliterated, every other
// non-ASCII character becomes a replacement character.

#include <string>
#include <string_view>

namespace tarvo {

// "Ракета-2" -> "Raketa-2"; a character outside ASCII and the Russian alphabet (one UTF-8
// sequence, or one stray byte) becomes `replacement`. Control characters are kept as they are.
std::string TransliterateToAscii(std::string_view utf8, char replacement);

}  // namespace tarvo
