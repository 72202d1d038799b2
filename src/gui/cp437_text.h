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

/// Text for the scratch editor, which must give back every byte it was given: only CR LF ends a
/// line, and a lone CR or LF, which an editor cannot hold as a character of a line, shows as
/// its code page 437 glyph (U+266A, U+25D9).
QString editableTextFromCp437(std::string_view bytes);

/// The bytes of the scratch editor's raw text (QTextDocument::toRawText()): each paragraph or
/// line separator is CR LF, U+266A and U+25D9 are a lone CR and LF, and every other character
/// goes back through the table ("?" when code page 437 has no such character).
std::string cp437FromEditableText(const QString& rawText);

} // namespace analysis
