// The one place where the program's code page 437 bytes meet the window's Unicode text.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace analysis {

/// Text for display: every byte through the code page 437 table; lines joined with "\n"
/// (CR LF, lone CR and lone LF each end a line, as everywhere in the program).
QString textFromCp437(std::string_view bytes);

/// The bytes of edited text: each character back through the table, "\n" as CR LF. A character
/// the code page does not have becomes "?".
std::string cp437FromText(const QString& text);

} // namespace analysis
