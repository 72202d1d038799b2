// The scratch editor's post-pass over value blocks.
#include "core/tools/rescale.h"

#include "core/common/file_io.h"
#include "core/document/report_files.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <vector>

namespace analysis {
namespace {

constexpr std::size_t BlockLineLength = 80;
// Zero-based starts of the two 4-character value fields (characters 70-73 and 75-78).
constexpr std::size_t FirstField = 69;
constexpr std::size_t SecondField = 74;
constexpr std::size_t FieldWidth = 4;
// Where a value field has its decimal point (characters 72 and 77).
constexpr std::size_t PointInField = 2;
// Characters 70-78 of a block header: two bars, a down-tee, four bars, a down-tee, one bar.
constexpr std::string_view HeaderRule = "\xC4\xC4\xC2\xC4\xC4\xC4\xC4\xC2\xC4";

/// One line of the text: its content (cut to the post-pass's limit) and its own line end.
struct TextLine {
    std::string_view content;
    std::string_view end;
};

/// Takes the line at pos. CR LF, a lone CR and a lone LF each end a line, as everywhere in the
/// program; the end is kept so the line can be written back exactly as it came.
bool nextLine(std::string_view text, std::size_t& pos, TextLine& line) {
    if (pos >= text.size())
        return false;
    std::size_t stop = text.find_first_of("\r\n", pos);
    if (stop == std::string_view::npos)
        stop = text.size();
    std::size_t endLength = 0;
    if (stop < text.size())
        endLength = text[stop] == '\r' && stop + 1 < text.size() && text[stop + 1] == '\n' ? 2 : 1;
    line.content = text.substr(pos, stop - pos).substr(0, RescaleLineLimit);
    line.end = text.substr(stop, endLength);
    pos = stop + endLength;
    return true;
}

bool isBlockHeader(std::string_view line) {
    return line.size() == BlockLineLength &&
           line.substr(FirstField, HeaderRule.size()) == HeaderRule;
}

bool isValueLine(std::string_view line) {
    return line.size() == BlockLineLength && line[FirstField + PointInField] == '.' &&
           line[SecondField + PointInField] == '.';
}

bool hasScratchMark(std::string_view line) {
    return line.find('!') != std::string_view::npos;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

/// The number in a value field: blanks, an optional sign, the whole digits (none when a
/// previous pass blanked the leading zero), the point and one decimal digit. Anything else is
/// not a number.
std::optional<double> fieldValue(std::string_view field) {
    std::size_t i = 0;
    while (i < field.size() && field[i] == ' ')
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '-' || field[i] == '+'))
        negative = field[i++] == '-';
    long tenths = 0;
    while (i < field.size() && isDigit(field[i]))
        tenths = tenths * 10 + (field[i++] - '0');
    if (i + 2 != field.size() || field[i] != '.' || !isDigit(field[i + 1]))
        return std::nullopt;
    tenths = tenths * 10 + (field[i + 1] - '0');
    double value = static_cast<double>(tenths) / 10.0;
    return negative ? -value : value;
}

/// A value field of a held line: where it stands and its value + 1, absent when the field
/// cannot take part in its column's sum of 1 / (value + 1): not a number, or -1.0, whose share
/// would be infinite.
struct ValueField {
    std::size_t start = 0;
    std::optional<double> valuePlusOne;

    double share() const { return 1.0 / *valuePlusOne; }
};

ValueField readField(std::string_view line, std::size_t start) {
    ValueField field{start, std::nullopt};
    if (auto value = fieldValue(line.substr(start, FieldWidth)); value && *value + 1.0 != 0.0)
        field.valuePlusOne = *value + 1.0;
    return field;
}

/// The value lines of one block, held until the line that ends the block is known.
class ValueBlock {
public:
    void hold(const TextLine& line) {
        Entry entry{std::string(line.content), line.end, readField(line.content, FirstField),
                    readField(line.content, SecondField)};
        if (entry.first.valuePlusOne)
            firstSum_ += entry.first.share();
        if (entry.second.valuePlusOne)
            secondSum_ += entry.second.share();
        entries_.push_back(std::move(entry));
    }

    /// Writes every held line with its fields rescaled, in the order they came.
    void writeTo(std::string& out, RescaleOutcome& outcome) {
        for (Entry& entry : entries_) {
            rescale(entry.text, entry.first, firstSum_, outcome);
            rescale(entry.text, entry.second, secondSum_, outcome);
            out += entry.text;
            out += entry.end;
            ++outcome.valueLines;
        }
        entries_.clear();
    }

private:
    struct Entry {
        std::string text;
        std::string_view end;
        ValueField first;
        ValueField second;
    };

    static void rescale(std::string& line, const ValueField& field, double sum,
                        RescaleOutcome& outcome) {
        if (!field.valuePlusOne) {
            ++outcome.unreadFields;
            return;
        }
        double scaled = *field.valuePlusOne * sum - 1.0;
        // One decimal, right-aligned in 4 characters, cut to 4. to_chars, not printf: the
        // window program runs in the user's locale, whose decimal point may be a comma. The
        // buffer holds any finite double written out in full.
        char digits[400];
        auto written =
            std::to_chars(digits, digits + sizeof digits, scaled, std::chars_format::fixed, 1);
        std::string text(digits, written.ptr);
        if (text.size() < FieldWidth)
            text.insert(0, FieldWidth - text.size(), ' ');
        line.replace(field.start, FieldWidth, text, 0, FieldWidth);
        // A value below 1 shows a blank where its leading zero was.
        if (line[field.start] == ' ' && line[field.start + 1] == '0')
            line[field.start + 1] = ' ';
    }

    std::vector<Entry> entries_;
    double firstSum_ = 0;
    double secondSum_ = 0;
};

/// Why text cannot be a report the post-pass may rewrite, or "" when it can be one.
std::string notAReportBecause(std::string_view text) {
    if (text.find('\0') != std::string_view::npos)
        return "it holds a NUL byte";
    bool headerSeen = false;
    std::size_t lineNumber = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        ++lineNumber;
        std::size_t stop = std::min(text.find_first_of("\r\n", pos), text.size());
        std::string_view line = text.substr(pos, stop - pos);
        if (line.size() > RescaleLineLimit)
            return "line " + std::to_string(lineNumber) + " is longer than " +
                   std::to_string(RescaleLineLimit) + " characters";
        headerSeen = headerSeen || isBlockHeader(line);
        pos = stop + (text.substr(stop, 2) == "\r\n" ? 2 : 1);
    }
    return headerSeen ? std::string() : "no line of it heads a block of values";
}

void append(std::string& out, const TextLine& line) {
    out += line.content;
    out += line.end;
}

/// Processes the block after a header, up to and including the line that ends it.
void processBlock(std::string_view text, std::size_t& pos, std::string& out,
                  RescaleOutcome& outcome) {
    ValueBlock block;
    TextLine line;
    while (nextLine(text, pos, line)) {
        if (hasScratchMark(line.content)) {
            ++outcome.droppedLines;
        } else if (isValueLine(line.content)) {
            block.hold(line);
        } else {
            block.writeTo(out, outcome);
            append(out, line);
            return;
        }
    }
    // The text ended inside the block: its lines are still the report's.
    block.writeTo(out, outcome);
}

} // namespace

NotAReport::NotAReport(std::filesystem::path file, std::string reason)
    : AnalysisError("Not a report, so left unchanged (" + reason + "): " + file.string()),
      file_(std::move(file)), reason_(std::move(reason)) {}

std::string rescaleText(std::string_view text, RescaleOutcome* outcome) {
    RescaleOutcome counts;
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    TextLine line;
    while (nextLine(text, pos, line)) {
        append(out, line);
        if (isBlockHeader(line.content)) {
            ++counts.blocks;
            processBlock(text, pos, out, counts);
        }
    }
    if (outcome != nullptr)
        *outcome = counts;
    return out;
}

RescaleOutcome saveScratchEdit(const std::filesystem::path& file, std::string_view editedBytes) {
    RescaleOutcome outcome;
    std::string text = rescaleText(editedBytes, &outcome);
    writeFileAtomically(file, text);
    return outcome;
}

RescaleOutcome rescaleFile(const std::filesystem::path& file) {
    const std::string text = readFile(file);
    if (std::string reason = notAReportBecause(text); !reason.empty())
        throw NotAReport(file, std::move(reason));
    return saveScratchEdit(file, text);
}

RescaleOutcome RescaleAfterScratch(const std::filesystem::path& installFolder,
                                   std::string_view code) {
    return rescaleFile(workingFile(installFolder, code));
}

} // namespace analysis
