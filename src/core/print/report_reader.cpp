// Reading a print file one report at a time for either engine.
#include "core/print/report_reader.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace analysis {

namespace {

constexpr unsigned char CarriageReturn = 13;
constexpr unsigned char LineFeed = 10;
constexpr std::uint64_t EveryByte = 0x0101010101010101u;

/// Kept out of line: inlined, the compiler copies these short runs with a slow string move.
[[gnu::noinline]] void appendBytes(std::string& to, std::string_view bytes) {
    to.append(bytes);
}

} // namespace

std::string& LineStore::next() {
    if (static_cast<std::size_t>(count_) == lines_.size()) {
        lines_.emplace_back();
        lines_.back().reserve(MaxPrintLineLength);
    }
    return lines_[static_cast<std::size_t>(count_)];
}

ReportReader::ReportReader(const std::filesystem::path& printFile, const ReadingRules& rules)
    : bytes_(printFile) {
    roles_[CarriageReturn] = ByteRole::LineEnd;
    roles_[LineFeed] = ByteRole::Skipped;
    unsigned highestControl = CarriageReturn;
    for (char separator : rules.separators) {
        auto byte = static_cast<unsigned char>(separator);
        assert(byte < 32 && byte != CarriageReturn && byte != LineFeed);
        roles_[byte] = ByteRole::Separator;
        highestControl = std::max<unsigned>(highestControl, byte);
    }
    controlBound_ = EveryByte * (highestControl + 1);

    for (std::size_t byte = 0; byte < map_.size(); ++byte)
        map_[byte] = static_cast<char>(byte);
    if (!rules.highByteMap.empty()) {
        assert(rules.highByteMap.size() == 128);
        std::memcpy(map_.data() + 128, rules.highByteMap.data(), 128);
        mapsBytes_ = true;
    }
}

bool ReportReader::ReadPrintChar(char& c) {
    if (bytes_.atEnd())
        return false;
    unsigned char byte = bytes_.get();
    c = map_[byte];
    noteByte(roles_[byte]);
    return true;
}

std::string_view ReportReader::takeRun(bool& atControl) {
    std::string_view buffered = bytes_.buffered();
    const char* start = buffered.data();
    const char* end = start + buffered.size();
    const char* stop = start;
    for (;;) {
        // Eight bytes at a time while none of them is as low as a line end or a separator.
        for (;;) {
            if (end - stop < 8)
                break;
            std::uint64_t word;
            std::memcpy(&word, stop, sizeof word);
            if (((word - controlBound_) & ~word & EveryByte * 0x80) != 0)
                break;
            stop += 8;
        }
        const char* limit = end - stop >= 8 ? stop + 8 : end;
        while (stop != limit && roles_[static_cast<unsigned char>(*stop)] == ByteRole::Text)
            ++stop;
        if (stop != limit || stop == end)
            break;
    }
    atControl = stop != end;
    auto length = static_cast<std::size_t>(stop - start);
    bytes_.skip(length);
    return {start, length};
}

void ReportReader::appendRun(std::string& line, std::string_view run) const {
    if (line.size() >= MaxPrintLineLength)
        return;
    std::size_t from = line.size();
    appendBytes(line, run.substr(0, MaxPrintLineLength - from));
    if (mapsBytes_)
        for (std::size_t i = from; i < line.size(); ++i)
            line[i] = map_[static_cast<unsigned char>(line[i])];
}

void ReportReader::ReadPrintLine(std::string& line) {
    line.clear();
    while (!bytes_.atEnd()) {
        bool atControl = false;
        std::string_view run = takeRun(atControl);
        if (!run.empty()) {
            appendRun(line, run);
            noteByte(ByteRole::Text);
        }
        // A run cut short by the end of the buffered bytes goes on in the next chunk.
        if (!atControl)
            continue;
        noteByte(roles_[bytes_.get()]);
        if (endOfLine_)
            return;
    }
}

void ReportReader::ReadReportLines(LineStore& store) {
    store.clear();
    while (!atEnd()) {
        ReadPrintLine(store.next());
        if (endOfReport_)
            return;
        store.keepNext();
    }
}

} // namespace analysis
