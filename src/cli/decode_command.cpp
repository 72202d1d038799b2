// analysis-tool decode: a day's data file into the analysis text.
#include "cli/decode_command.h"

#include "cli/arguments.h"
#include "cli/installation_guard.h"
#include "core/document/decoder.h"

namespace analysis::cli {
namespace {

constexpr const char* Usage =
    "usage: analysis-tool decode DAT OUT_TXT [--user-id ID]\n"
    "  Decodes the data file DAT into the analysis text OUT_TXT and prints the race date.\n"
    "  --user-id ID  the subscriber identifier stamped into the text (default 0000)\n"
    "  Exit status 1 when DAT holds fewer text records than its header announces; the\n"
    "  records it holds are decoded.\n";

int decodeVerb(Arguments& arguments, std::ostream& out, std::ostream& err) {
    const std::string userId = arguments.option("--user-id").value_or("0000");
    const std::vector<std::string> files = arguments.finish(2, 2);
    const auto installation = lockInstallationAround(files[1]);
    const DecodeResult result = DecodeDailyData(files[0], files[1], userId);
    out << result.raceDateText << "\n";
    if (result.decodedRecords() == 0) {
        err << "analysis-tool: warning: " << files[0] << " holds no text record after its header; "
            << files[1] << " is left as it was\n";
        return 1;
    }
    if (result.missingRecords == 0)
        return 0;
    err << "analysis-tool: warning: " << files[0] << " holds "
        << result.RecordCount - result.missingRecords << " of the " << result.RecordCount
        << " text records its header announces; the text ends after the last one\n";
    return 1;
}

} // namespace

int runDecodeCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, Usage, decodeVerb);
}

} // namespace analysis::cli
