#include "core/common/file_io.h"
#include "core/common/io_error.h"
#include "core/common/temporary_files.h"
#include "support/special_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

namespace analysis {
namespace {

using testing::TempDir;

TEST(FileIo, MissingFileRaisesFileNotFoundNamingThePath) {
    TempDir dir;
    try {
        readFile(dir / "nope.txt");
        FAIL() << "no error raised";
    } catch (const IoError& error) {
        EXPECT_EQ(error.reason(), "File not found");
        EXPECT_NE(std::string(error.what()).find("nope.txt"), std::string::npos);
    }
}

TEST(FileIo, FileExistsIsFalseForFolders) {
    TempDir dir;
    EXPECT_FALSE(fileExists(dir.path()));
    EXPECT_TRUE(fileExists(dir.write("f", "x")));
}

TEST(FileIo, ReplaceModeLeavesTargetUntouchedUntilCommit) {
    TempDir dir;
    auto target = dir.write("Analysis.TXT", "old");
    {
        OutputFile out(target, OutputFile::Mode::Replace);
        out.writeLine("new");
        EXPECT_EQ(dir.read("Analysis.TXT"), "old");
        // Dropped without commit: the old text stays and no temporary file is left.
    }
    EXPECT_EQ(dir.read("Analysis.TXT"), "old");
    EXPECT_EQ(dir.entryCount(), 1);

    OutputFile out(target, OutputFile::Mode::Replace);
    out.writeLine("new");
    out.commit();
    EXPECT_EQ(dir.read("Analysis.TXT"), "new\r\n");
}

TEST(FileIo, DirectModeKeepsWhatWasWrittenEvenWithoutCommit) {
    TempDir dir;
    {
        OutputFile out(dir / "report");
        out.writeLine("first");
        out.put('x');
    }
    EXPECT_EQ(dir.read("report"), "first\r\nx");
}

TEST(FileIo, NoWriteGoesThroughAPlantedLink) {
    TempDir dir;
    std::filesystem::create_directory(dir / "install");
    const auto outside = dir.write("outside.txt", "theirs");
    std::filesystem::create_symlink(outside, dir / "install" / "report");
    std::filesystem::create_symlink(dir / "dangling", dir / "install" / "twin");

    for (const char* name : {"report", "twin"}) {
        try {
            OutputFile out(dir / "install" / name);
            FAIL() << name << " was opened through its link";
        } catch (const IoError& error) {
            EXPECT_NE(std::string(error.what()).find((dir / "install" / name).string()),
                      std::string::npos)
                << error.what();
            EXPECT_NE(std::string(error.what()).find("symbolic link"), std::string::npos)
                << error.what();
        }
    }
    EXPECT_EQ(dir.read("outside.txt"), "theirs");
    EXPECT_FALSE(std::filesystem::exists(dir / "dangling"));

    // Replacing puts a file of the program's own in the link's place.
    writeFileAtomically(dir / "install" / "report", "ours");
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "install" / "report"));
    EXPECT_EQ(dir.read("install/report"), "ours");
    EXPECT_EQ(dir.read("outside.txt"), "theirs");
}

TEST(FileIo, OnlyAFileIsReadOrReplaced) {
    TempDir dir;
    const std::vector<testing::SpecialFile> specials = testing::makeSpecialFiles(dir.path());
    const std::ptrdiff_t entries = dir.entryCount();
    using Access = std::function<void(const std::filesystem::path&)>;
    const std::pair<const char*, Access> accesses[] = {
        {"readFile", [](const auto& path) { readFile(path); }},
        {"ChunkReader", [](const auto& path) { ChunkReader reader(path); }},
        {"requireReadableFile", [](const auto& path) { requireReadableFile(path); }},
        {"writeFileAtomically", [](const auto& path) { writeFileAtomically(path, "x"); }},
        {"OutputFile replacing",
         [](const auto& path) {
             OutputFile out(path, OutputFile::Mode::Replace);
             out.commit();
         }},
        {"OutputFile direct",
         [](const auto& path) {
             OutputFile out(path);
             out.commit();
         }},
        {"FileBeside", [](const auto& path) { FileBeside beside(path); }},
    };
    for (const testing::SpecialFile& special : specials) {
        const std::string before = testing::describe(special.path);
        for (const auto& [what, access] : accesses) {
            const std::string context = std::string(what) + " on a " + special.kind;
            std::string message;
            const bool prompt = testing::returnsPromptly(
                [&] {
                    try {
                        access(special.path);
                    } catch (const IoError& error) {
                        message = error.what();
                    }
                },
                special.path);
            EXPECT_TRUE(prompt) << context << " waited on the pipe";
            EXPECT_EQ(message, special.reason + ": " + special.path.string()) << context;
            EXPECT_EQ(testing::describe(special.path), before) << context;
            EXPECT_EQ(dir.entryCount(), entries) << context;
        }
    }
    // What they refuse is only what stands there: a file, or nothing, is still theirs.
    writeFileAtomically(dir / "file", "x");
    EXPECT_EQ(readFile(dir / "file"), "x");
    std::filesystem::create_symlink(dir / "none", dir / "dangling");
    writeFileAtomically(dir / "dangling", "y");
    EXPECT_EQ(readFile(dir / "dangling"), "y");
}

TEST(FileIo, CreatingInMissingFolderFails) {
    TempDir dir;
    EXPECT_THROW(OutputFile(dir / "Exec" / "Analysis.OPT"), IoError);
    EXPECT_THROW(writeFileAtomically(dir / "Exec" / "Analysis.OPT", "x"), IoError);
}

TEST(FileIo, ByteReaderReadsAcrossChunks) {
    TempDir dir;
    std::string bytes(3 * 1024 * 1024 + 7, 'a');
    bytes.back() = 'z';
    auto path = dir.write("big", bytes);
    ByteReader reader(path);
    std::size_t count = 0;
    unsigned char last = 0;
    while (!reader.atEnd()) {
        last = reader.get();
        ++count;
    }
    EXPECT_EQ(count, bytes.size());
    EXPECT_EQ(last, 'z');
}

TEST(FileIo, DeleteIfExistsIgnoresMissingFiles) {
    TempDir dir;
    EXPECT_NO_THROW(DeleteIfExists(dir / "none"));
    auto path = dir.write("some", "x");
    DeleteIfExists(path);
    EXPECT_FALSE(fileExists(path));
}

} // namespace
} // namespace analysis
