// The table of embedded texts that the build generates; read through embedded_resources.h.
#pragma once

#include <cstddef>
#include <string_view>

namespace analysis::detail {

struct EmbeddedEntry {
    char name;
    std::string_view bytes;
};

extern const EmbeddedEntry EmbeddedEntries[];
extern const std::size_t EmbeddedEntryCount;

} // namespace analysis::detail
