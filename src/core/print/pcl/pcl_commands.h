// The PCL 5 commands the PCL engine sends, each appended to a byte buffer as exact bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace analysis::pcl {

/// Unit of the values of a cursor command.
enum class CursorUnit { Decipoints, RowsColumns };

/// ESC E: printer reset.
void EmitReset(std::string& out);
/// ESC & l n O: orientation (0 portrait, 1 landscape).
void EmitOrientation(std::string& out, int orientation);
/// ESC & l n S: duplex mode (1 long-edge binding).
void EmitDuplex(std::string& out, int mode);
/// ESC & l n A: page size (3 legal).
void EmitPageSize(std::string& out, int size);
/// ESC ( n U: primary symbol set (10 is PC-8, code page 437).
void EmitSymbolSet(std::string& out, int symbolSet);
/// ESC ( s ... T: font by typeface, stroke weight, style, pitch (cpi) and height (points).
/// A pitch of exactly 0 asks for proportional spacing. Reals go out with two decimals.
void EmitFont(std::string& out, std::uint8_t typeface, std::int8_t strokeWeight, std::uint8_t style,
              double pitch, double height);
/// ESC & a ... v ... H: cursor positioning. An absolute position carries the sign character
/// "0", which the printer reads as part of the number; a relative one carries "+" or "-".
void EmitCursor(std::string& out, int horizontal, int vertical,
                CursorUnit unit = CursorUnit::Decipoints, bool relative = false);
/// The text bytes, unchanged.
void EmitText(std::string& out, std::string_view text);

} // namespace analysis::pcl
