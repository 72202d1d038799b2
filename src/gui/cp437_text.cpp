// Code page 437 for display.
#include "gui/cp437_text.h"

#include "core/common/cp437.h"
#include "core/common/text_lines.h"

namespace analysis {
namespace {

// The glyphs code page 437 draws for CR and LF, standing in for a lone one of them.
constexpr char16_t LoneCrGlyph = u'\u266A';
constexpr char16_t LoneLfGlyph = u'\u25D9';

} // namespace

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

QString editableTextFromCp437(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char byte = bytes[i];
        if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            text += QChar('\n');
            ++i;
        } else if (byte == '\r') {
            text += QChar(LoneCrGlyph);
        } else if (byte == '\n') {
            text += QChar(LoneLfGlyph);
        } else {
            text += QChar(static_cast<char16_t>(cp437ToUnicode(static_cast<unsigned char>(byte))));
        }
    }
    return text;
}

std::string cp437FromEditableText(const QString& rawText) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(rawText.size()));
    for (QChar c : rawText) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QChar('\n')) {
            bytes += "\r\n";
        } else if (c == QChar(LoneCrGlyph)) {
            bytes += '\r';
        } else if (c == QChar(LoneLfGlyph)) {
            bytes += '\n';
        } else {
            auto byte = unicodeToCp437(c.unicode());
            bytes += byte ? static_cast<char>(*byte) : '?';
        }
    }
    return bytes;
}

} // namespace analysis
