// Turning the day's scrambled data file into the analysis text, and the race date it carries.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace analysis {

/// Size of the data file's header and of every text record, and of every block of the text.
inline constexpr std::size_t DataRecordSize = 4096;

struct CalendarDate {
    std::uint16_t year, month, day;
};

/// The calendar date of a race day number; day 0 is 28 November 1973, day 65535 3 May 2153.
CalendarDate DayToDate(std::uint16_t day);

/// The race date as the window shows it: 0 gives "Wed 28-Nov-1973".
std::string RaceDateText(std::uint16_t day);

/// Unscrambles text blocks in place. Each byte has its 4-bit halves swapped and all bits
/// inverted; a resulting byte 1 marks a four-byte field that receives the first four
/// characters of the UserId. A field may run on into the next block, and a marker met inside
/// a field starts it again.
class Unscrambler {
public:
    explicit Unscrambler(std::string_view userId);

    void decodeBlock(std::span<unsigned char> block);

private:
    static constexpr unsigned char StampMarker = 1;
    static constexpr int StampLength = 4;

    unsigned char stampText_[StampLength];
    int stampPosition_ = 0; // 0 while no field is being stamped, else the next character 1..4
};

struct DecodeResult {
    std::uint16_t RaceDay = 0;
    std::uint16_t RecordCount = 0;
    std::uint32_t missingRecords = 0; // text records announced but not in the file
    std::string raceDateText;

    /// The text records decoded: those announced that the file holds.
    std::uint32_t decodedRecords() const { return RecordCount - missingRecords; }
};

/// Decodes dataFile into textFile: the header's RecordCount text records, unscrambled, without
/// the header. The data file is only read. The text is written to a temporary file that
/// replaces textFile when complete, so a failure leaves the previous text as it was. A data
/// file that holds fewer whole records than announced gives the records it has, and the
/// shortfall is reported in missingRecords. A data file that yields no record at all leaves
/// textFile as it was (decodedRecords() is 0). A data file shorter than its header raises IoError
/// "Read beyond end of file".
DecodeResult DecodeDailyData(const std::filesystem::path& dataFile,
                             const std::filesystem::path& textFile, std::string_view userId);

} // namespace analysis
