// Reading a print file one report at a time for the canvas engine.
#include "core/print/canvas/report_reader.h"

namespace analysis {

LineStore::LineStore() : lines_(MaxReportLines) {
    for (std::string& line : lines_)
        line.reserve(MaxPrintLineLength);
}

void ReportReader::ReadPrintLine(std::string& line) {
    line.clear();
    char c = 0;
    while (ReadPrintChar(c)) {
        if (endOfLine_)
            return;
        if (c != '\n' && line.size() < MaxPrintLineLength)
            line.push_back(c);
    }
}

void ReportReader::ReadReportLines(LineStore& store) {
    store.clear();
    while (!atEnd()) {
        bool room = !store.full();
        std::string& line = room ? store.next() : overflow_;
        ReadPrintLine(line);
        if (endOfReport_)
            return;
        if (room)
            store.keepNext();
    }
}

} // namespace analysis
