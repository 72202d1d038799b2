// The schedule print.
#include "core/schedule/schedule_print.h"

#include "core/schedule/close_posts.h"

#include <algorithm>
#include <cstdint>

namespace analysis {
namespace {

constexpr const char* FontName = "Courier New";
constexpr int TitleX = 525;
constexpr int TitleY = 75;
constexpr int LinesTop = 325;
constexpr int LinesPerGroup = 4;
/// Columns 1 to 8 of a schedule line are blanks; 9 to 40 hold the race.
constexpr std::size_t LeadingBlanks = 8;
constexpr std::size_t PrintedColumns = 40;
/// A close post time's mark takes columns 34 to 40, blank on a well-formed line.
constexpr std::size_t MarkColumn = 33;

int firstLineY(int groupGap) {
    return groupGap / 2 + LinesTop;
}

/// The pixel just below the slot of the last of lines lines.
std::int64_t bottomOfLines(int lines, int lineHeight, int groupGap) {
    const int gapsAbove = (lines - 1) / LinesPerGroup;
    return firstLineY(groupGap) + std::int64_t{lines} * lineHeight +
           std::int64_t{gapsAbove} * groupGap;
}

std::string printedText(const std::string& line) {
    std::string text(LeadingBlanks, ' ');
    if (line.size() > LeadingBlanks)
        text += line.substr(LeadingBlanks, PrintedColumns - LeadingBlanks);
    return text;
}

/// The printed text with mark at the right of columns 34 to 40, so that a blank keeps it off a
/// turf race's "T" in column 33 unless the gap takes two digits; a line without a mark prints
/// as it always has, short lines and all.
std::string printedText(const std::string& line, const std::string& mark) {
    std::string text = printedText(line);
    if (mark.empty())
        return text;
    constexpr std::size_t MarkWidth = PrintedColumns - MarkColumn;
    const std::string_view shown = std::string_view(mark).substr(0, MarkWidth);
    text.resize(MarkColumn, ' ');
    text.append(MarkWidth - shown.size(), ' ');
    text += shown;
    return text;
}

} // namespace

ScheduleSpacing scheduleSpacing(int pageHeight, int linesPerPage, int linesOnFullestPage) {
    // The nominal height is page height x 0.9375 / (lines x 1.0625), truncated; both factors are
    // sixteenths, so whole numbers give it exactly.
    int lineHeight = static_cast<int>(std::int64_t{std::max(pageHeight, 0)} * 15 /
                                      (std::int64_t{std::max(linesPerPage, 1)} * 17));
    const int lines = std::max(linesOnFullestPage, 1);
    while (lineHeight > 0 && bottomOfLines(lines, lineHeight, lineHeight / 4) > pageHeight)
        --lineHeight;
    if (lineHeight == 0)
        throw PrinterError("The printer's page, " + std::to_string(pageHeight) +
                           " pixels high, is too small for " + std::to_string(lines) +
                           " schedule lines");
    return {lineHeight, lineHeight / 4, firstLineY(lineHeight / 4)};
}

SchedulePrintResult printScheduleDocument(PrinterCanvas& canvas, std::span<const std::string> lines,
                                          const ScheduleLayoutOptions& options,
                                          std::string_view title) {
    SchedulePrintResult result;
    if (lines.empty())
        return result;
    const int lineCount = static_cast<int>(lines.size());
    result.split =
        SchedulePageLayout(options.SimoOptimumLines, options.SimoMaximumLines, lineCount);
    const int linesPerPage = result.split.linesPerPage;
    const int pageWidth = canvas.pageWidth();
    result.spacing =
        scheduleSpacing(canvas.pageHeight(), linesPerPage, std::min(lineCount, linesPerPage));
    const bool twoUp = options.SimoTwoUp && result.split.layoutCase == ScheduleLayoutCase::TwoPages;
    const std::vector<std::string> marks = options.markClosePosts
                                               ? closePostMarks(lines, options.closeMinutes)
                                               : std::vector<std::string>(lines.size());

    printDocument(canvas, [&] {
        int columnOffset = 0;
        int lineNumber = 0;
        int y = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lineNumber == linesPerPage) {
                lineNumber = 0;
                // Two pages' worth always fits in two columns, so the right column is the last.
                if (twoUp && columnOffset == 0)
                    columnOffset = pageWidth / 2;
                else
                    canvas.newPage();
            }
            if (lineNumber == 0) {
                canvas.setFont({FontName, 18, true});
                canvas.drawText(columnOffset + TitleX, TitleY, title);
                canvas.setFont({FontName, 12, true});
                y = result.spacing.firstLineY;
            }
            ++lineNumber;
            canvas.drawText(columnOffset, y, printedText(lines[i], marks[i]));
            y += result.spacing.lineHeight;
            if (lineNumber % LinesPerGroup == 0)
                y += result.spacing.groupGap;
        }
    });
    result.printed = true;
    return result;
}

} // namespace analysis
