// The PCL 5 commands the PCL engine sends, each appended to a byte buffer as exact bytes.
#include "core/print/pcl/pcl_commands.h"

#include <charconv>
#include <cstdlib>

namespace analysis::pcl {

namespace {

constexpr char Esc = '\x1b';

void appendInteger(std::string& out, long long value) {
    char digits[24];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

/// A real in fixed notation with exactly two decimals: 16.67, 8.50, 10.00.
void appendReal(std::string& out, double value) {
    char digits[64];
    auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
    out.append(digits, result.ptr);
}

/// The integer parameter of a simple "ESC & l n X" style command.
void appendCommand(std::string& out, std::string_view prefix, int value, char terminator) {
    out.push_back(Esc);
    out.append(prefix);
    appendInteger(out, value);
    out.push_back(terminator);
}

void appendPosition(std::string& out, int value, bool relative) {
    if (!relative)
        out.push_back('0');
    else
        out.push_back(value < 0 ? '-' : '+');
    appendInteger(out, std::llabs(static_cast<long long>(value)));
}

} // namespace

void EmitReset(std::string& out) {
    out.push_back(Esc);
    out.push_back('E');
}

void EmitOrientation(std::string& out, int orientation) {
    appendCommand(out, "&l", orientation, 'O');
}

void EmitDuplex(std::string& out, int mode) {
    appendCommand(out, "&l", mode, 'S');
}

void EmitPageSize(std::string& out, int size) {
    appendCommand(out, "&l", size, 'A');
}

void EmitSymbolSet(std::string& out, int symbolSet) {
    appendCommand(out, "(", symbolSet, 'U');
}

void EmitFont(std::string& out, std::uint8_t typeface, std::int8_t strokeWeight, std::uint8_t style,
              double pitch, double height) {
    out.push_back(Esc);
    out.append("(s");
    if (pitch == 0.0) {
        out.append("1p");
    } else {
        out.append("0p");
        appendReal(out, pitch);
        out.push_back('h');
    }
    appendReal(out, height);
    out.push_back('v');
    appendInteger(out, style);
    out.push_back('s');
    appendInteger(out, strokeWeight);
    out.push_back('b');
    appendInteger(out, typeface);
    out.push_back('T');
}

void EmitCursor(std::string& out, int horizontal, int vertical, CursorUnit unit, bool relative) {
    bool decipoints = unit == CursorUnit::Decipoints;
    out.push_back(Esc);
    out.append("&a");
    appendPosition(out, vertical, relative);
    out.push_back(decipoints ? 'v' : 'r');
    appendPosition(out, horizontal, relative);
    out.push_back(decipoints ? 'H' : 'C');
}

void EmitText(std::string& out, std::string_view text) {
    out.append(text);
}

} // namespace analysis::pcl
