// Fuzzes the readers of the program's own files in "Exec": the settings and the job counter.
// Whatever they hold, what is read can be written back and read again the same (the track
// groups aside: each read adds the "G" group by design).
#include "core/installation/installation_state.h"
#include "core/installation/settings.h"
#include "fuzz_input.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace analysis;
    const auto file = fuzz::inputFile("Analysis.OPT", fuzz::bytesOf(data, size));
    try {
        const Settings settings = ReadSettings(file);
        WriteSettings(file, settings);
        const Settings again = ReadSettings(file);
        if (again.SettingsIdText != settings.SettingsIdText ||
            again.ReportKinds != settings.ReportKinds ||
            again.PrintOptions != settings.PrintOptions || again.EmaxLines != settings.EmaxLines)
            std::abort(); // the settings changed on their way through the file
    } catch (const AnalysisError&) {
    }
    try {
        readInstallationState(fuzz::inputFile("Analysis.JOB", fuzz::bytesOf(data, size)));
    } catch (const AnalysisError&) {
    }
    return 0;
}
