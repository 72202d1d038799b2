// The texts carried inside the program: the help pages and the sample schedule.
#include "resources/embedded_resources.h"

#include "core/common/file_io.h"
#include "core/common/io_error.h"
#include "resources/embedded_table.h"

#include <string>

namespace analysis {

std::string_view EmbeddedResource(char name) {
    for (std::size_t i = 0; i < detail::EmbeddedEntryCount; ++i)
        if (detail::EmbeddedEntries[i].name == name)
            return detail::EmbeddedEntries[i].bytes;
    throw AnalysisError(std::string("No embedded text is named \"") + name + "\".");
}

void ExtractResource(char name, const std::filesystem::path& path) {
    std::string_view bytes = EmbeddedResource(name);
    try {
        writeFileAtomically(path, bytes);
    } catch (const IoError&) {
        throw IoError("Cannot create file", path);
    }
}

} // namespace analysis
