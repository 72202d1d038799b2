// Code page 437 for display.
#include "gui/cp437_text.h"

#include "core/common/cp437.h"
#include "core/common/text_lines.h"

namespace analysis {

QString textFromCp437(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    LineReader lines(bytes);
    std::string_view line;
    bool first = true;
    while (lines.next(line)) {
        if (!first)
            text += QChar('\n');
        first = false;
        for (char byte : line) {
            char32_t code = cp437ToUnicode(static_cast<unsigned char>(byte));
            text += QChar(static_cast<char16_t>(code));
        }
    }
    return text;
}

std::string cp437FromText(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        if (c == QChar('\n')) {
            bytes += "\r\n";
            continue;
        }
        auto byte = unicodeToCp437(c.unicode());
        bytes += byte ? static_cast<char>(*byte) : '?';
    }
    return bytes;
}

} // namespace analysis
