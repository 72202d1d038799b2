// Every verb that writes into an installation meets the window's lock: while the installation is
// held it stops with status 2 and a message, having written nothing; otherwise it takes the lock
// for its own write and lets it go.
#include "cli/archive_command.h"
#include "cli/canvas_command.h"
#include "cli/decode_command.h"
#include "cli/demo_command.h"
#include "cli/pcl_command.h"
#include "cli/pcl_pdf_command.h"
#include "cli/print_command.h"
#include "cli/rescale_command.h"
#include "cli/schedule_command.h"
#include "cli/split_command.h"
#include "cli/stamp_command.h"
#include "core/installation/install_lock.h"
#include "demo/demo_day.h"
#include "support/temp_dir.h"
#include "support/value_block.h"
#include "verb_outcome.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace analysis::cli {
namespace {

namespace fs = std::filesystem;
using analysis::testing::TempDir;
using VerbFunction = int (*)(std::span<const std::string>, std::ostream&, std::ostream&);

/// A profile with an installation in it, and input files outside the installation.
struct Scene {
    TempDir profile;
    fs::path install = profile / "QuillmarshData" / "Analysis";
    TempDir inputs;

    Scene() {
        for (const char* folder : {"Exec", "Data", "Help", "Archive"})
            fs::create_directories(install / folder);
        const std::string text = demo::makeAnalysisText(demo::demoDay());
        inputs.write("Analysis.DAT", demo::makeDataFile(text, 18000));
        inputs.write("Analysis.TXT", text);
        inputs.write("A01Aqu", "\x0c@A01Aqu\r\nA report\r\n");
        inputs.write("Analysis.PRN", "line\r\n\x0c");
        inputs.write("SimoDump.LST", "         1:00 -  1 Tam  -  7.0f\r\n");
        profile.write(install / "Exec" / "Analysis.JOB", "0000\r\n0041\r\n");
        profile.write(install / "A01Tam",
                      testing::crlfLines(
                          {"@A01Tam", testing::blockHeader(), testing::valueLine(" 2.0", " 3.0"),
                           testing::valueLine(" 4.0", " 1.0"), testing::blockCloser()}));
        // A way into the installation that a comparison of path texts would not see.
        fs::create_directory_symlink(install / "Exec", inputs / "exec-link");
    }

    /// Every file and folder under the profile with its size, to see that nothing changed.
    std::map<std::string, std::uintmax_t> contents() const {
        std::map<std::string, std::uintmax_t> found;
        for (const auto& entry : fs::recursive_directory_iterator(profile.path()))
            found[entry.path().string()] = entry.is_regular_file() ? entry.file_size() : 0;
        return found;
    }
};

struct WritingVerb {
    const char* name;
    VerbFunction run;
    std::function<std::vector<std::string>(const Scene&)> args;
};

void PrintTo(const WritingVerb& verb, std::ostream* out) {
    *out << verb.name;
}

std::string in(const fs::path& folder, const char* name) {
    return (folder / name).string();
}

const WritingVerb WritingVerbs[] = {
    {"decode", runDecodeCommand,
     [](const Scene& s) {
         return std::vector<std::string>{in(s.inputs.path(), "Analysis.DAT"),
                                         in(s.install, "Analysis.TXT")};
     }},
    {"split", runSplitCommand,
     [](const Scene& s) {
         return std::vector<std::string>{in(s.inputs.path(), "Analysis.TXT"), s.install.string()};
     }},
    {"stamp", runStampCommand,
     [](const Scene& s) {
         return std::vector<std::string>{in(s.install, "Analysis.PRN"),
                                         "--weekday",
                                         "3",
                                         "--clock",
                                         "14:22:05",
                                         "--job",
                                         "0042",
                                         in(s.inputs.path(), "A01Aqu")};
     }},
    {"pcl", runPclCommand,
     [](const Scene& s) {
         return std::vector<std::string>{in(s.inputs.path(), "Analysis.PRN"), "J", "-o",
                                         in(s.install, "Analysis.PCL")};
     }},
    {"pcl-pdf", runPclPdfCommand,
     [](const Scene& s) {
         return std::vector<std::string>{in(s.inputs.path(), "Analysis.PRN"), "J", "--pdf",
                                         in(s.install, "A01Kee")};
     }},
    {"pcl-both", runPclPdfCommand,
     [](const Scene& s) {
         return std::vector<std::string>{
             in(s.inputs.path(), "Analysis.PRN"), "J",     "-o",
             in(s.inputs.path(), "out.pcl"),      "--pdf", in(s.install, "A01Kee")};
     }},
    {"schedule", runScheduleCommand,
     [](const Scene& s) {
         return std::vector<std::string>{in(s.inputs.path(), "SimoDump.LST"),
                                         "--tracks",
                                         "Tam",
                                         "--page",
                                         "4800x6000",
                                         "-o",
                                         in(s.install, "A01Aqu")};
     }},
    {"rescale", runRescaleCommand,
     [](const Scene& s) { return std::vector<std::string>{in(s.install, "A01Tam")}; }},
    {"decode-through-a-link", runDecodeCommand,
     [](const Scene& s) {
         return std::vector<std::string>{in(s.inputs.path(), "Analysis.DAT"),
                                         (s.inputs / "exec-link" / ".." / "Analysis.TXT").string()};
     }},
    {"canvas", runCanvasCommand,
     [](const Scene& s) {
         return std::vector<std::string>{
             in(s.inputs.path(), "Analysis.PRN"), "J", "--page", "4800x6400", "-o",
             in(s.install, "Analysis.pdf")};
     }},
    {"archive-save", runArchiveSaveCommand,
     [](const Scene& s) {
         return std::vector<std::string>{in(s.install / "Archive", "Monday"),
                                         in(s.inputs.path(), "A01Aqu")};
     }},
    {"archive-restore", runArchiveRestoreCommand,
     [](const Scene& s) {
         return std::vector<std::string>{in(s.inputs.path(), "A01Aqu"),
                                         in(s.install, "Analysis.TXT")};
     }},
    {"demo", runDemoCommand,
     [](const Scene& s) {
         return std::vector<std::string>{s.install.string(), "--race-day", "1"};
     }},
    {"print", runPrintCommand,
     [](const Scene& s) {
         return std::vector<std::string>{"--profile", s.profile.path().string(), "--printer",
                                         "no-such-queue", in(s.inputs.path(), "A01Aqu")};
     }},
};

class WritingVerbTest : public ::testing::TestWithParam<WritingVerb> {};

TEST_P(WritingVerbTest, StopsWritingNothingWhileTheWindowHoldsTheInstallation) {
    Scene scene;
    InstallLock window(scene.install);
    ASSERT_EQ(window.acquire(0), InstallLock::Result::Acquired);
    const auto before = scene.contents();

    const Outcome run = runVerbFor(GetParam().run, GetParam().args(scene));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("in use by another Analysis program"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(scene.install.string()), std::string::npos) << run.err;
    EXPECT_EQ(scene.contents(), before);
}

TEST_P(WritingVerbTest, TakesTheLockForItsWriteAndLetsItGo) {
    if (std::string_view(GetParam().name) == "print")
        GTEST_SKIP() << "printing needs a spooler; its lock is shown by the test above";
    Scene scene;
    const Outcome run = runVerbFor(GetParam().run, GetParam().args(scene));
    EXPECT_EQ(run.status, 0) << run.err;
    InstallLock window(scene.install);
    EXPECT_EQ(window.acquire(0), InstallLock::Result::Acquired);
}

INSTANTIATE_TEST_SUITE_P(Verbs, WritingVerbTest, ::testing::ValuesIn(WritingVerbs),
                         [](const auto& verb) {
                             std::string name = verb.param.name;
                             std::erase(name, '-');
                             return name;
                         });

TEST(InstallationLock, VerbWritingOutsideAnyInstallationLeavesNoLockFile) {
    TempDir dir;
    const std::string text = demo::makeAnalysisText(demo::demoDay());
    dir.write("in/Analysis.DAT", demo::makeDataFile(text, 18000));
    fs::create_directory(dir / "out");
    const Outcome run = runVerbFor(
        runDecodeCommand, {in(dir / "in", "Analysis.DAT"), in(dir / "out", "Analysis.TXT")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(fs::exists(dir / "out" / std::string(InstallLockName)));
    EXPECT_FALSE(fs::exists(dir / std::string(InstallLockName)));
}

} // namespace
} // namespace analysis::cli
