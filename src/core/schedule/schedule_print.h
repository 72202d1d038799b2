// The schedule print: the extracted schedule lines drawn on a printer canvas as a timetable
// headed by the race date, in blocks of four lines.
#pragma once

#include "core/print/canvas/printer_canvas.h"
#include "core/schedule/schedule_layout.h"

#include <span>
#include <string>
#include <string_view>

namespace analysis {

/// Where the lines of a schedule page go, in device pixels.
struct ScheduleSpacing {
    /// Vertical step from one line to the next.
    int lineHeight = 0;
    /// Extra space after every fourth line.
    int groupGap = 0;
    /// Top of the first line of a page or column.
    int firstLineY = 0;

    friend bool operator==(const ScheduleSpacing&, const ScheduleSpacing&) = default;
};

/// The spacing for pages of linesPerPage line slots on a printable page pageHeight pixels high,
/// the fullest of which holds linesOnFullestPage lines. The line height is 15/17 of the page
/// height shared out over the slots (so the slots with their gaps span 15/16 of the page), the
/// gap a quarter of it, and the first line starts half a gap below pixel 325. Where the last
/// line of the fullest page would then end below the printable area (on pages under about 5000
/// pixels high), the line height, and the gap with it, shrink just enough that it ends inside.
/// Raises PrinterError when the page is too small for the lines at any spacing.
ScheduleSpacing scheduleSpacing(int pageHeight, int linesPerPage, int linesOnFullestPage);

/// What the schedule print did.
struct SchedulePrintResult {
    /// False when there were no lines: the printer was not touched at all.
    bool printed = false;
    SchedulePageSplit split;
    ScheduleSpacing spacing;
};

/// Prints the schedule lines as one printer document, in the orientation the canvas is left in.
/// options.SimoTwoUp puts a schedule of two pages in two columns of one sheet instead. Each
/// page (and each column) is headed by title; each line prints as eight blanks and its
/// characters 9 to 40. options.markClosePosts puts the line's close post mark (closePostMarks)
/// in columns 34 to 40 of a line that has one. No lines: nothing happens. A failure once the
/// document has begun aborts the document and passes on.
SchedulePrintResult printScheduleDocument(PrinterCanvas& canvas, std::span<const std::string> lines,
                                          const ScheduleLayoutOptions& options,
                                          std::string_view title);

} // namespace analysis
