// The print file of a job: the chosen report files one after another, each identification line
// stamped with the moment of printing and the job number.
#pragma once

#include <chrono>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace analysis {

/// What a job stamps into every identification line.
struct JobStamp {
    char weekdayDigit = '1';   ///< "1" Monday .. "7" Sunday
    std::string clockText;     ///< "HH:MM:SS", 24-hour
    std::string jobNumberText; ///< the job counter as four digits
};

/// "1" for Monday through "7" for Sunday.
char weekdayDigit(std::chrono::sys_days date);

/// The 24-hour "HH:MM:SS" text of a time written in the system's long time format: a 12-hour
/// time such as "9:05:07 PM" becomes "21:05:07", "12:30:00 AM" becomes "00:30:00"; a 24-hour
/// text passes through, cut to eight characters.
std::string clockText(std::string systemTime);

/// A line with "ID: " starting at position 17 or later (counting from 1) keeps everything up to
/// the four characters after "ID: " and gets four blanks, the weekday digit, a blank, the clock
/// text, two blanks and the job number; any other line comes back unchanged.
std::string stampLine(std::string_view line, const JobStamp& stamp);

/// Writes printFile from the files in order, line by line with CR LF, stamping each line when a
/// stamp is given. A file that does not exist is skipped: it may have been removed since it was
/// listed. The print file appears only once complete. IoError when a file exists but cannot be
/// read, or the print file cannot be written.
void writePrintFile(std::span<const std::filesystem::path> files,
                    const std::filesystem::path& printFile, const JobStamp* stamp);

} // namespace analysis
