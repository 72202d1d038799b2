// Finding a text in the day's reports: every place in every report file that holds it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace analysis {

/// One place where the text was found.
struct ReportHit {
    /// The report's code, which names its working file.
    std::string code;
    /// The line of the report file the match is in, counting from 1.
    int line = 0;
    /// The race the line belongs to: the number after the last "Race " at or above the match in
    /// the report; 0 above the first.
    int race = 0;
    /// Where the match starts in the report file, in bytes.
    std::size_t offset = 0;
    /// Where the match starts in its line, from 0. The viewer shows one character per byte, so
    /// this is also the match's place on the viewer's line.
    std::size_t column = 0;
    /// The bytes matched: the length of the text sought.
    std::size_t length = 0;
    /// The whole line, code page 437 bytes without its line end.
    std::string lineText;

    friend bool operator==(const ReportHit&, const ReportHit&) = default;
};

/// Called with each hit in turn; returns false to stop the search there.
using ReportHitSink = std::function<bool(const ReportHit&)>;

/// A text to find, made ready once for any number of reports.
class ReportSearch {
public:
    /// text is code page 437 bytes, as the reports hold them. Unless caseSensitive, a letter
    /// matches its other case wherever the code page has both (cp437FoldCase). An empty text, or
    /// one holding a line end, is never found: a match lies within one line.
    ReportSearch(std::string_view text, bool caseSensitive);

    /// Gives sink every match in one report file's bytes, in order. Several matches in a line
    /// are each a hit; they do not overlap ("aa" is found once in "aaa"). Lines end as
    /// everywhere in the program (CR LF, or a lone CR or LF). False when sink stopped it.
    bool searchReport(std::string_view code, std::string_view bytes,
                      const ReportHitSink& sink) const;

    const std::string& text() const noexcept { return text_; }
    bool caseSensitive() const noexcept { return caseSensitive_; }

private:
    std::string text_;
    /// The text as the reports are compared: folded unless the search heeds case.
    std::string needle_;
    bool caseSensitive_ = false;
    /// A folded copy of the report being searched, kept so that its room is reused.
    mutable std::string folded_;
};

/// Gives sink every match in the working files of the reports of index (the day's report codes
/// in text order), report by report in that order, each file read once. Twins are never read; a
/// report whose working file is missing is passed over. Raises IoError naming a file that exists
/// but cannot be read.
void searchReportFiles(const std::filesystem::path& folder, std::span<const std::string> index,
                       const ReportSearch& search, const ReportHitSink& sink);

} // namespace analysis
