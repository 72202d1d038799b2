// The code page 437 character set: the bytes of the program's texts and the Unicode
// characters that show them.
#pragma once

#include <optional>

namespace analysis {

/// The character byte stands for. Control bytes 0x00-0x1F and 0x7F map to the same code
/// points (not to the symbols some fonts draw for them), so form feeds, stamp markers and
/// report ends survive a round trip through a Unicode editor.
char32_t cp437ToUnicode(unsigned char byte);

/// The byte for character, or nullopt when code page 437 has no such character.
std::optional<unsigned char> unicodeToCp437(char32_t character);

} // namespace analysis
