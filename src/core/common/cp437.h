// The code page 437 character set: the bytes of the program's texts and the Unicode
// characters that show them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace analysis {

/// The character byte stands for. Control bytes 0x00-0x1F and 0x7F map to the same code
/// points (not to the symbols some fonts draw for them), so form feeds, stamp markers and
/// report ends survive a round trip through a Unicode editor.
char32_t cp437ToUnicode(unsigned char byte);

/// The byte for character, or nullopt when code page 437 has no such character.
std::optional<unsigned char> unicodeToCp437(char32_t character);

/// The byte a case-blind comparison takes for byte: the small letter of every capital that has
/// one in the code page (A-Z, the accented capitals such as \x8E "A umlaut", and the Greek
/// capitals sigma and phi); every other byte, box drawing included, stands for itself.
unsigned char cp437FoldCase(unsigned char byte);

/// The code page 437 bytes of UTF-8 text, as a terminal gives it; nothing when the text is not
/// UTF-8 or holds a character the code page does not have.
std::optional<std::string> cp437FromUtf8(std::string_view utf8);

} // namespace analysis
