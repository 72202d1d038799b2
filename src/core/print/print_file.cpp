// Writing and stamping a job's print file.
#include "core/print/print_file.h"

#include "core/common/file_io.h"
#include "core/common/text_lines.h"

#include <cstdio>

namespace analysis {

char weekdayDigit(std::chrono::sys_days date) {
    using namespace std::chrono;
    // Days counted from 30 December 1899, a Saturday: minus 2, modulo 7, plus 1 gives Monday 1.
    constexpr sys_days origin = sys_days{year{1899} / December / 30};
    long long days = (date - origin).count();
    long long index = ((days - 2) % 7 + 7) % 7;
    return static_cast<char>('1' + index);
}

std::string clockText(std::string text) {
    if (text.size() > 1 && text[1] == ':')
        text = "0" + text;
    if (text.size() < 2)
        return text;
    int hour = (text[0] - '0') * 10 + (text[1] - '0');
    std::string marker = text.size() >= 11 ? text.substr(9, 2) : std::string();
    if (marker == "PM" && hour < 12)
        hour += 12;
    else if (marker == "AM" && hour == 12)
        hour = 0;
    if (hour >= 0 && hour < 100) {
        text[0] = static_cast<char>('0' + hour / 10);
        text[1] = static_cast<char>('0' + hour % 10);
    }
    return text.substr(0, 8);
}

std::string stampLine(std::string_view line, const JobStamp& stamp) {
    std::size_t at = line.find("ID: ");
    if (at == std::string_view::npos || at < 16)
        return std::string(line);
    std::string stamped(line.substr(0, at + 8));
    stamped += "    ";
    stamped += stamp.weekdayDigit;
    stamped += ' ';
    stamped += stamp.clockText;
    stamped += "  ";
    stamped += stamp.jobNumberText;
    return stamped;
}

void writePrintFile(std::span<const std::filesystem::path> files,
                    const std::filesystem::path& printFile, const JobStamp* stamp) {
    OutputFile out(printFile, OutputFile::Mode::Replace);
    for (const std::filesystem::path& file : files) {
        if (!fileExists(file))
            continue;
        std::string text = readFile(file);
        LineReader lines(text);
        std::string_view line;
        while (lines.next(line))
            out.writeLine(stamp ? stampLine(line, *stamp) : std::string(line));
    }
    out.commit();
}

} // namespace analysis
