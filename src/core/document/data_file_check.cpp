// A data file is recognised by decoding it: only a day's file yields reports.
#include "core/document/data_file_check.h"

#include "core/document/decoder.h"
#include "core/document/report_files.h"
#include "core/document/report_index.h"

#include <algorithm>
#include <vector>

namespace analysis {

NotADataFile::NotADataFile(const std::filesystem::path& file, std::string_view fault)
    : AnalysisError(file.string() + " is not a day's data file: " + std::string(fault) + ".") {}

DataFileSummary checkDataFile(const std::filesystem::path& file, std::string_view bytes,
                              std::string_view userId) {
    if (bytes.size() < DataRecordSize)
        throw NotADataFile(file, "it is shorter than a data file's header");
    const auto* header = reinterpret_cast<const unsigned char*>(bytes.data());
    DataFileSummary summary;
    summary.RecordCount = static_cast<std::uint16_t>(header[0] | (header[1] << 8));
    summary.RaceDay = static_cast<std::uint16_t>(header[2] | (header[3] << 8));

    const std::size_t held = (bytes.size() - DataRecordSize) / DataRecordSize;
    const std::size_t records = std::min<std::size_t>(held, summary.RecordCount);
    if (records == 0)
        throw NotADataFile(file, "it holds no analysis");
    summary.missingRecords = static_cast<std::uint32_t>(summary.RecordCount - records);

    std::string text(bytes.substr(DataRecordSize, records * DataRecordSize));
    Unscrambler unscrambler(userId);
    unscrambler.decodeBlock({reinterpret_cast<unsigned char*>(text.data()), text.size()});
    try {
        summary.reports = reportCodesOf(text).size();
    } catch (const UnsafeReportCode& error) {
        throw NotADataFile(file, error.what());
    }
    if (summary.reports == 0)
        throw NotADataFile(file, "its text holds no report");
    return summary;
}

} // namespace analysis
