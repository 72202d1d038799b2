// The two archive copies: the ticked reports into an archive, an archive back as the day's text.
#include "core/tools/archive.h"

#include "core/common/file_io.h"
#include "core/common/io_error.h"
#include "core/common/text_lines.h"

#include <system_error>

namespace analysis {
namespace fs = std::filesystem;
namespace {

void appendLinesOf(OutputFile& out, const fs::path& source) {
    const std::string content = readFile(source);
    LineReader lines(content);
    std::string_view line;
    while (lines.next(line))
        out.writeLine(line);
}

} // namespace

void requireFolderOf(const fs::path& file) {
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    std::error_code error;
    if (!fs::is_directory(folder, error))
        throw IoError("Folder not found", folder);
}

void WriteReportsToFile(const fs::path& target, std::span<const fs::path> reportFiles) {
    requireFolderOf(target);
    OutputFile out(target, OutputFile::Mode::Replace);
    for (const fs::path& report : reportFiles)
        if (fileExists(report))
            appendLinesOf(out, report);
    out.commit();
}

void RestoreAnalysisText(const fs::path& archive, const fs::path& target) {
    // Read first: a missing archive must leave the day's text as it is.
    const std::string content = readFile(archive);
    OutputFile out(target, OutputFile::Mode::Replace);
    LineReader lines(content);
    std::string_view line;
    while (lines.next(line))
        out.writeLine(line);
    out.commit();
}

} // namespace analysis
