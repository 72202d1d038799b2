// The pages of a PCL stream as a PDF: one PDF page per sheet side the printer prints.
#pragma once

#include "core/print/pcl/pcl_pages.h"

#include <filesystem>
#include <span>

class QPrinter;

namespace analysis {

/// The sheet of the first page in device pixels at PdfResolution, in portrait: Letter
/// 5100 x 6600, Legal 5100 x 8400.
int pclSheetPixelWidth(const pcl::PclPage& page);
int pclSheetPixelHeight(const pcl::PclPage& page);

/// Sets printer to the whole sheet of the page's paper in portrait, without margins, at
/// PdfResolution, so that DrawPclPages on it places text where the PCL printer does.
void setUpPclSheet(QPrinter& printer, const pcl::PclPage& page);

/// Writes the pages into pdf, each on a whole sheet of its paper. The PDF is written next to
/// its target and renamed over it only once complete. A stream that prints no page raises
/// AnalysisError and writes nothing. Needs a QGuiApplication for fonts.
void printPclPagesToPdf(std::span<const pcl::PclPage> pages, const std::filesystem::path& pdf);

} // namespace analysis
