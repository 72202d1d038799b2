// Finding a text in the day's reports.
#include "core/tools/report_search.h"

#include "core/common/cp437.h"
#include "core/common/file_io.h"
#include "core/document/report_files.h"

#include <algorithm>
#include <array>

namespace analysis {
namespace {

constexpr std::string_view RaceHeading = "Race ";

const std::array<char, 256>& foldTable() {
    static const std::array<char, 256> table = [] {
        std::array<char, 256> folded{};
        for (std::size_t byte = 0; byte < folded.size(); ++byte)
            folded[byte] = static_cast<char>(cp437FoldCase(static_cast<unsigned char>(byte)));
        return folded;
    }();
    return table;
}

void fold(std::string_view bytes, std::string& into) {
    const std::array<char, 256>& table = foldTable();
    into.resize(bytes.size());
    std::transform(bytes.begin(), bytes.end(), into.begin(),
                   [&table](char byte) { return table[static_cast<unsigned char>(byte)]; });
}

bool isLineEnd(char byte) {
    return byte == '\r' || byte == '\n';
}

/// Where the line starting at start ends: its CR or LF, or the end of the bytes.
std::size_t lineEndFrom(std::string_view bytes, std::size_t start) {
    return static_cast<std::size_t>(
        std::find_if(bytes.begin() + static_cast<std::ptrdiff_t>(start), bytes.end(), isLineEnd) -
        bytes.begin());
}

/// Where the next line starts after the line end at end.
std::size_t nextLineStart(std::string_view bytes, std::size_t end) {
    if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() &&
        bytes[end + 1] == '\n')
        return end + 2;
    return end + 1;
}

/// Follows the race headings of a report as the search moves down it.
class RaceTracker {
public:
    explicit RaceTracker(std::string_view bytes) : bytes_(bytes) {}

    /// The race of the last heading before end.
    int raceBefore(std::size_t end) {
        while (scanned_ < end) {
            std::size_t at = bytes_.substr(0, end).find(RaceHeading, scanned_);
            if (at == std::string_view::npos) {
                // A heading may start in the few bytes left before end and run past it.
                scanned_ = end >= RaceHeading.size()
                               ? std::max(scanned_, end - RaceHeading.size() + 1)
                               : scanned_;
                break;
            }
            std::size_t digit = at + RaceHeading.size();
            int number = 0;
            bool any = false;
            while (digit < bytes_.size() && bytes_[digit] >= '0' && bytes_[digit] <= '9' &&
                   number < 1000) {
                number = number * 10 + (bytes_[digit] - '0');
                any = true;
                ++digit;
            }
            if (any)
                race_ = number;
            scanned_ = at + 1;
        }
        return race_;
    }

private:
    std::string_view bytes_;
    std::size_t scanned_ = 0;
    int race_ = 0;
};

} // namespace

ReportSearch::ReportSearch(std::string_view text, bool caseSensitive)
    : text_(text), caseSensitive_(caseSensitive) {
    if (caseSensitive_)
        needle_ = text_;
    else
        fold(text_, needle_);
}

bool ReportSearch::searchReport(std::string_view code, std::string_view bytes,
                                const ReportHitSink& sink) const {
    if (needle_.empty() || std::any_of(needle_.begin(), needle_.end(), isLineEnd))
        return true;
    std::string_view haystack = bytes;
    if (!caseSensitive_) {
        // Folding keeps every line end where it is, so places in the copy are places in bytes.
        fold(bytes, folded_);
        haystack = folded_;
    }
    RaceTracker races(bytes);
    ReportHit hit;
    hit.code = std::string(code);
    hit.length = needle_.size();
    std::size_t lineStart = 0;
    std::size_t lineEnd = lineEndFrom(bytes, 0);
    int line = 1;
    int shownLine = 0;
    for (std::size_t at = haystack.find(needle_); at != std::string_view::npos;
         at = haystack.find(needle_, at + needle_.size())) {
        while (at > lineEnd) {
            lineStart = nextLineStart(bytes, lineEnd);
            lineEnd = lineEndFrom(bytes, lineStart);
            ++line;
        }
        if (line != shownLine) {
            hit.line = line;
            hit.lineText.assign(bytes.substr(lineStart, lineEnd - lineStart));
            shownLine = line;
        }
        hit.race = races.raceBefore(at + needle_.size());
        hit.offset = at;
        hit.column = at - lineStart;
        if (!sink(hit))
            return false;
    }
    return true;
}

void searchReportFiles(const std::filesystem::path& folder, std::span<const std::string> index,
                       const ReportSearch& search, const ReportHitSink& sink) {
    for (const std::string& code : index) {
        const std::filesystem::path file = workingFile(folder, code);
        if (!fileExists(file))
            continue;
        if (!search.searchReport(code, readFile(file), sink))
            return;
    }
}

} // namespace analysis
