// Opening a day's data file from anywhere: checked in memory first, so a wrong file never costs
// the day open until then.
#include "core/day/day_session.h"

#include "core/common/file_io.h"
#include "core/document/data_file_check.h"

#include <exception>
#include <new>

namespace analysis {
namespace {

/// The error's message as the first sentence of a longer one.
std::string sentence(const std::exception& error) {
    std::string text = error.what();
    if (!text.empty() && text.back() != '.')
        text += '.';
    return text;
}

} // namespace

DataFileOpen DaySession::openDataFile(const std::filesystem::path& source) {
    DataFileOpen outcome;
    std::string bytes;
    try {
        bytes = readFile(source);
        checkDataFile(source, bytes, installation_.UserId);
    } catch (const std::bad_alloc&) {
        outcome.status = DataFileOpen::Status::Refused;
        outcome.message = "Not enough memory to read " + source.string() + "; the day is kept.";
        return outcome;
    } catch (const std::exception& error) {
        outcome.status = DataFileOpen::Status::Refused;
        outcome.message = sentence(error) + " The day shown is kept.";
        return outcome;
    }

    const std::filesystem::path dataFile = setup_.folders.file(files::DataFile);
    try {
        // Replaced only once whole: a failure here leaves the day exactly as it was.
        writeFileAtomically(dataFile, bytes);
    } catch (const std::exception& error) {
        outcome.status = DataFileOpen::Status::Failed;
        outcome.message = sentence(error) + " The day shown is kept.";
        return outcome;
    }
    bytes = std::string();

    try {
        // The day open until now goes back into the analysis text before the new day's
        // decoding replaces that text, as a close would put it away.
        if (std::optional<std::string> notice = rejoin())
            outcome.notices.push_back(*notice);
    } catch (const std::exception& error) {
        outcome.status = DataFileOpen::Status::Failed;
        outcome.message = sentence(error) + " The day shown stays open; the new data file is in "
                                            "place and opens at the next start.";
        return outcome;
    }

    // From here on the day shown is the new one, as far as its opening gets.
    const PrintSetup print = day_.print;
    const ScheduleLayoutOptions simoLayout = day_.simoLayout;
    const bool simoTwoUpBox = day_.simoTwoUpBox;
    const unsigned viewerLoads = day_.viewerLoads;
    day_ = Day();
    day_.print = print;
    day_.simoLayout = simoLayout;
    day_.simoTwoUpBox = simoTwoUpBox;
    // The viewer loads afresh, even the report of the same name it showed.
    day_.viewerLoads = viewerLoads + 1;

    const DayStart start = runOpening(&DaySession::openDaySteps);
    outcome.notices.insert(outcome.notices.end(), start.notices.begin(), start.notices.end());
    showFirstReport(outcome.notices);
    if (start.status == DayStart::Status::Stopped) {
        outcome.status = DataFileOpen::Status::Failed;
        outcome.message = start.message;
    }
    return outcome;
}

} // namespace analysis
