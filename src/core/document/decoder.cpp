// Unscrambling the daily data file.
#include "core/document/decoder.h"

#include "core/common/file_io.h"
#include "core/common/io_error.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace analysis {
namespace {

/// Copies bytes out of a ChunkReader in whatever amounts the caller asks for.
class DataSource {
public:
    explicit DataSource(const std::filesystem::path& path) : chunks_(path, ChunkSize) {}

    /// Fills up to size bytes; fewer only at the end of the file.
    std::size_t fill(unsigned char* data, std::size_t size) {
        std::size_t filled = 0;
        while (filled < size) {
            if (chunk_.empty()) {
                chunk_ = chunks_.next();
                if (chunk_.empty())
                    break;
            }
            const std::size_t n = std::min(size - filled, chunk_.size());
            std::memcpy(data + filled, chunk_.data(), n);
            chunk_.remove_prefix(n);
            filled += n;
        }
        return filled;
    }

    static constexpr std::size_t ChunkSize = 256 * DataRecordSize;

private:
    ChunkReader chunks_;
    std::string_view chunk_;
};

std::uint16_t littleEndian16(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

/// Swaps the 4-bit halves of every byte and inverts it, eight bytes at a time.
void unscrambleBytes(unsigned char* data, std::size_t size) {
    constexpr std::uint64_t Low = 0x0F0F0F0F0F0F0F0FULL;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        word = ~(((word & Low) << 4) | ((word >> 4) & Low));
        std::memcpy(data + i, &word, 8);
    }
    for (; i < size; ++i)
        data[i] = static_cast<unsigned char>(~((data[i] << 4) | (data[i] >> 4)));
}

} // namespace

CalendarDate DayToDate(std::uint16_t day) {
    const std::uint32_t j = 4 * (std::uint32_t{day} + 720896) - 1;
    const std::uint32_t c = j / 146097;
    const std::uint32_t r = (j % 146097) / 4;
    const std::uint32_t t = 4 * r + 3;
    std::uint32_t year = 100 * c + t / 1461;
    const std::uint32_t e = (t % 1461 + 4) / 4;
    const std::uint32_t m5 = 5 * e - 3;
    std::uint32_t month = m5 / 153;
    const std::uint32_t d = (m5 % 153 + 5) / 5;
    if (month < 10) {
        month += 3;
    } else {
        month -= 9;
        year += 1;
    }
    return {static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month),
            static_cast<std::uint16_t>(d)};
}

std::string RaceDateText(std::uint16_t day) {
    static constexpr std::string_view Weekdays = "Wed Thu Fri Sat Sun Mon Tue ";
    static constexpr std::string_view Months = "Jan-Feb-Mar-Apr-May-Jun-Jul-Aug-Sep-Oct-Nov-Dec-";
    const CalendarDate date = DayToDate(day);
    std::string text(Weekdays.substr(4 * (day % 7), 4));
    text += std::to_string(date.day + 100).substr(1);
    text += '-';
    text += Months.substr(4 * (date.month - 1), 4);
    text += std::to_string(date.year);
    return text;
}

Unscrambler::Unscrambler(std::string_view userId) {
    // A UserId shorter than the field is stamped with blanks for the characters it lacks.
    for (int i = 0; i < StampLength; ++i)
        stampText_[i] = static_cast<std::size_t>(i) < userId.size()
                            ? static_cast<unsigned char>(userId[static_cast<std::size_t>(i)])
                            : ' ';
}

void Unscrambler::decodeBlock(std::span<unsigned char> block) {
    unscrambleBytes(block.data(), block.size());
    unsigned char* const end = block.data() + block.size();
    unsigned char* p = block.data();
    while (p < end) {
        if (stampPosition_ == 0) {
            p = static_cast<unsigned char*>(
                std::memchr(p, StampMarker, static_cast<std::size_t>(end - p)));
            if (p == nullptr)
                return;
        }
        if (*p == StampMarker)
            stampPosition_ = 1;
        *p++ = stampText_[stampPosition_ - 1];
        stampPosition_ = stampPosition_ == StampLength ? 0 : stampPosition_ + 1;
    }
}

DecodeResult DecodeDailyData(const std::filesystem::path& dataFile,
                             const std::filesystem::path& textFile, std::string_view userId) {
    DataSource source(dataFile);
    std::vector<unsigned char> buffer(DataSource::ChunkSize);
    if (source.fill(buffer.data(), DataRecordSize) < DataRecordSize)
        throw IoError("Read beyond end of file", dataFile);

    DecodeResult result;
    result.RecordCount = littleEndian16(buffer.data());
    result.RaceDay = littleEndian16(buffer.data() + 2);
    result.raceDateText = RaceDateText(result.RaceDay);

    OutputFile text(textFile, OutputFile::Mode::Replace);
    Unscrambler unscrambler(userId);
    std::size_t remaining = result.RecordCount;
    while (remaining > 0) {
        const std::size_t wanted = std::min(remaining * DataRecordSize, buffer.size());
        // A trailing piece shorter than a record is no record: it is left out.
        const std::size_t records = source.fill(buffer.data(), wanted) / DataRecordSize;
        if (records == 0)
            break;
        const std::span<unsigned char> blocks(buffer.data(), records * DataRecordSize);
        unscrambler.decodeBlock(blocks);
        text.write({reinterpret_cast<const char*>(blocks.data()), blocks.size()});
        remaining -= records;
    }
    result.missingRecords = static_cast<std::uint32_t>(remaining);
    // A data file with no text record at all (cut to its header, say) is no day: the text kept
    // from before stays rather than being replaced by nothing.
    if (result.decodedRecords() > 0)
        text.commit();
    return result;
}

} // namespace analysis
