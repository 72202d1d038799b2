// The pages of a PCL stream as a PDF: one PDF page per sheet side the printer prints.
#pragma once

#include "core/print/pcl/pcl_pages.h"

#include <filesystem>
#include <span>

namespace analysis {

/// Writes the pages into pdf, each on a whole sheet of its paper. The PDF is written next to
/// its target and renamed over it only once complete. A stream that prints no page raises
/// AnalysisError and writes nothing. Needs a QGuiApplication for fonts.
void printPclPagesToPdf(std::span<const pcl::PclPage> pages, const std::filesystem::path& pdf);

} // namespace analysis
