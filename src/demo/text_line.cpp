// Fixed-column composition of report lines in code page 437.
#include "demo/text_line.h"

#include <algorithm>
#include <cstdio>

namespace analysis::demo {

TextLine& TextLine::at(int column, std::string_view text) {
    if (column < 1)
        return *this;
    auto start = static_cast<std::size_t>(column - 1);
    for (std::size_t i = 0; i < text.size() && start + i < text_.size(); ++i)
        text_[start + i] = text[i];
    return *this;
}

TextLine& TextLine::rightAt(int last, std::string_view text) {
    return at(last - static_cast<int>(text.size()) + 1, text);
}

TextLine& TextLine::fill(int from, int to, char byte) {
    for (int column = std::max(from, 1); column <= to && column <= int(text_.size()); ++column)
        text_[static_cast<std::size_t>(column - 1)] = byte;
    return *this;
}

std::string TextLine::trimmed() const {
    auto end = text_.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text_.substr(0, end + 1);
}

std::string oneDecimal(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    return buffer;
}

void appendLine(std::string& text, std::string_view line) {
    text.append(line);
    text.append("\r\n");
}

} // namespace analysis::demo
