// The pages a PCL 5 printer prints from a stream of the commands our composer sends.
#include "core/print/pcl/pcl_pages.h"

#include "core/common/file_io.h"
#include "core/common/temporary_files.h"
#include "core/print/pcl/pcl_composer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace analysis::pcl {

namespace {

constexpr char Esc = '\x1b';
constexpr char FormFeed = '\x0c';
constexpr int DecipointsPerInch = 720;
constexpr int LetterWidth = 6120;
constexpr int LetterHeight = 7920;
constexpr int LegalHeight = 10080;
constexpr int LegalPageSize = 3;
/// The logical page starts this far right of the sheet's edge (a quarter inch in portrait,
/// a fifth in landscape); cursor positions count from there.
constexpr int PortraitLogicalLeft = 180;
constexpr int LandscapeLogicalLeft = 144;
/// Six lines an inch, the printer's default line spacing (its vertical motion index), for LF,
/// row positioning and a top margin given in lines.
constexpr int DefaultLineStep = 120;
/// The printer's default top margin, half an inch below the sheet's top edge: an unsigned
/// vertical position counts from it, not from the edge.
constexpr int DefaultTopMargin = 360;
/// A new page's cursor stands on the first line: its baseline three quarters of a line below
/// the top margin.
constexpr double FirstBaseline = 0.75;
/// A monospace font's advance as a share of its em, and its ascent above the baseline.
constexpr double MonospaceAdvance = 0.6;
constexpr double MonospaceAscent = 0.8;

/// The largest value a parameter's value field holds; a printer takes a larger one as this.
constexpr double MostParameterValue = 32767;
/// Pitches from one character as wide as the longest sheet to the printer's finest, 576 an inch.
constexpr double LeastPitch = static_cast<double>(DecipointsPerInch) / LegalHeight;
constexpr double MostPitch = 576;
/// Font heights in points, from the printer's smallest to its largest.
constexpr double LeastHeight = 0.25;
constexpr double MostHeight = 999.75;
/// How far the cursor may go beyond a sheet's edges: the longest sheet's length past either
/// edge. Text moved off every sheet stays off it whatever its font, since no font's ascent is
/// that long, and no number of moves can take the cursor past what an int holds.
constexpr double CursorLimit = 2.0 * LegalHeight;

int cursorPosition(double decipoints) {
    return static_cast<int>(std::lround(std::clamp(decipoints, -CursorLimit, CursorLimit)));
}

/// The printer's power-on font: Courier, 10 characters an inch, 12 points.
constexpr PclFont DefaultFont{10.0, 12.0};
/// The symbol set whose characters are those of code page 437, box drawing and all.
constexpr int Pc8SymbolSet = 10;

/// One value and its parameter character of a parameterized escape sequence.
struct Parameter {
    double value = 0;
    bool signedValue = false;
    char character = 0;
};

class PclReader {
public:
    explicit PclReader(std::string_view stream) : stream_(stream) {}

    std::vector<PclPage> read() {
        while (pos_ < stream_.size()) {
            char byte = stream_[pos_];
            if (byte == Esc) {
                ++pos_;
                readEscape();
            } else if (byte == FormFeed) {
                ++pos_;
                printPage();
            } else if (byte == '\r') {
                ++pos_;
                horizontal_ = 0;
            } else if (byte == '\n') {
                ++pos_;
                vertical_ = cursorPosition(vertical_ + lineStep_);
            } else {
                readText();
            }
        }
        if (hasText_)
            printPage();
        return std::move(pages_);
    }

private:
    void readText() {
        std::size_t end = pos_;
        while (end < stream_.size() && stream_[end] != Esc && stream_[end] != FormFeed &&
               stream_[end] != '\r' && stream_[end] != '\n')
            ++end;
        std::string_view text = stream_.substr(pos_, end - pos_);
        pos_ = end;
        page_.texts.push_back(
            PclText{horizontal_, vertical_, font_, bold_, characters_, std::string(text)});
        hasText_ = true;
        horizontal_ = cursorPosition(horizontal_ + static_cast<double>(text.size()) *
                                                       DecipointsPerInch / font_.pitch);
    }

    void readEscape() {
        if (pos_ >= stream_.size())
            return;
        char kind = stream_[pos_++];
        if (kind == 'E') {
            reset();
            return;
        }
        // Parameterized sequences: a character from '!' to '/', an optional group character
        // from '`' to '~', then values each ended by a parameter character, lower case while
        // more follow and upper case for the last.
        if (kind < '!' || kind > '/')
            return;
        char group = 0;
        if (pos_ < stream_.size() && stream_[pos_] >= '`' && stream_[pos_] <= '~')
            group = stream_[pos_++];
        while (pos_ < stream_.size()) {
            Parameter parameter = readParameter();
            apply(kind, group, parameter);
            if (parameter.character == 0 ||
                !(parameter.character >= '`' && parameter.character <= '~'))
                return;
        }
    }

    Parameter readParameter() {
        Parameter parameter;
        std::size_t start = pos_;
        if (pos_ < stream_.size() && (stream_[pos_] == '+' || stream_[pos_] == '-')) {
            parameter.signedValue = true;
            ++pos_;
        }
        while (pos_ < stream_.size() &&
               ((stream_[pos_] >= '0' && stream_[pos_] <= '9') || stream_[pos_] == '.'))
            ++pos_;
        parameter.value = std::clamp(
            std::strtod(std::string(stream_.substr(start, pos_ - start)).c_str(), nullptr),
            -MostParameterValue, MostParameterValue);
        if (pos_ < stream_.size() && stream_[pos_] >= '@' && stream_[pos_] <= '~')
            parameter.character = stream_[pos_++];
        return parameter;
    }

    void apply(char kind, char group, const Parameter& parameter) {
        char command = static_cast<char>(parameter.character & ~0x20); // upper case
        int value = static_cast<int>(std::lround(parameter.value));
        if (kind == '&' && group == 'l') {
            // A new orientation, page size or page length brings the default top margin back.
            if (command == 'O')
                setUp([&] { page_.landscape = value == 1 || value == 3; });
            else if (command == 'A')
                setUp([&] { page_.legal = value == LegalPageSize; });
            else if (command == 'P')
                setUp([] {});
            else if (command == 'S')
                selectDuplex(value != 0);
            else if (command == 'E' && parameter.value >= 0)
                topMargin_ = cursorPosition(parameter.value * lineStep_);
            else if (command == 'C' && parameter.value >= 0)
                lineStep_ = std::clamp(parameter.value * DecipointsPerInch / 48, 0.0, CursorLimit);
            else if (command == 'D' && parameter.value > 0)
                lineStep_ = std::clamp(DecipointsPerInch / parameter.value, 0.0, CursorLimit);
        } else if (kind == '(' && group == 's') {
            if (command == 'H' && parameter.value > 0)
                font_.pitch = std::clamp(parameter.value, LeastPitch, MostPitch);
            else if (command == 'V' && parameter.value > 0)
                font_.height = std::clamp(parameter.value, LeastHeight, MostHeight);
            else if (command == 'B')
                bold_ = parameter.value > 0;
        } else if (kind == '&' && group == 'a') {
            moveCursor(command, parameter);
        } else if (kind == '(' && group == 0 && command == 'U') {
            // Our composer selects PC-8; the printer's own Roman-8 shares ASCII with Latin-1,
            // which stands in for it and for any other set.
            characters_ = value == Pc8SymbolSet ? CharacterSet::Cp437 : CharacterSet::Latin1;
        }
        // All else leaves the page as it is.
    }

    void moveCursor(char command, const Parameter& parameter) {
        double step = 0;
        double origin = 0;
        int* coordinate = nullptr;
        if (command == 'V' || command == 'R') {
            coordinate = &vertical_;
            step = command == 'V' ? 1.0 : lineStep_;
            // Rows and decipoints down the page count from the top margin.
            origin = topMargin_;
        } else if (command == 'H' || command == 'C') {
            coordinate = &horizontal_;
            step = command == 'H' ? 1.0 : DecipointsPerInch / font_.pitch;
        } else {
            return;
        }
        const double distance = parameter.value * step;
        *coordinate =
            cursorPosition(parameter.signedValue ? *coordinate + distance : origin + distance);
    }

    /// The cursor of a new page: the left margin, on the first line below the top margin.
    void homeCursor() {
        horizontal_ = 0;
        vertical_ = cursorPosition(topMargin_ + FirstBaseline * lineStep_);
    }

    /// A change of orientation or page size prints the page begun first, as the printer does.
    template <typename Change>
    void setUp(Change change) {
        if (hasText_)
            printPage();
        change();
        topMargin_ = DefaultTopMargin;
        homeCursor();
    }

    /// Choosing simplex or duplex starts a new sheet: the next page goes on a front side.
    void selectDuplex(bool duplex) {
        page_.duplex = duplex;
        nextIsBack_ = false;
    }

    /// A reset ends the sheet as well: whatever follows starts on a front side.
    void reset() {
        if (hasText_)
            printPage();
        nextIsBack_ = false;
        page_ = PclPage{};
        font_ = DefaultFont;
        bold_ = false;
        characters_ = CharacterSet::Latin1;
        lineStep_ = DefaultLineStep;
        topMargin_ = DefaultTopMargin;
        homeCursor();
    }

    void printPage() {
        PclPage printed;
        printed.landscape = page_.landscape;
        printed.legal = page_.legal;
        printed.duplex = page_.duplex;
        printed.backSide = page_.duplex && nextIsBack_;
        nextIsBack_ = page_.duplex && !printed.backSide;
        printed.texts.swap(page_.texts);
        pages_.push_back(std::move(printed));
        hasText_ = false;
        homeCursor();
    }

    std::string_view stream_;
    std::size_t pos_ = 0;
    std::vector<PclPage> pages_;
    PclPage page_;
    PclFont font_ = DefaultFont;
    bool bold_ = false;
    CharacterSet characters_ = CharacterSet::Latin1;
    bool hasText_ = false;
    bool nextIsBack_ = false;
    /// The vertical motion index and the top margin, in decipoints.
    double lineStep_ = DefaultLineStep;
    int topMargin_ = DefaultTopMargin;
    int horizontal_ = 0;
    int vertical_ = cursorPosition(DefaultTopMargin + FirstBaseline * DefaultLineStep);
};

} // namespace

std::vector<PclPage> readPclPages(std::string_view stream) {
    return PclReader(stream).read();
}

std::vector<PclPage> composedPclPages(const std::filesystem::path& printFile, char letter,
                                      bool legal, bool duplex) {
    TemporaryFolder folder("analysis-pcl");
    const std::filesystem::path stream = folder / "composed.pcl";
    OutputFile out(stream);
    PrintPclJob(printFile, letter, legal, duplex, out);
    out.commit();
    return readPclPages(readFile(stream));
}

int sheetWidth(const PclPage& page) {
    int longSide = page.legal ? LegalHeight : LetterHeight;
    return page.landscape ? longSide : LetterWidth;
}

int sheetHeight(const PclPage& page) {
    int longSide = page.legal ? LegalHeight : LetterHeight;
    return page.landscape ? LetterWidth : longSide;
}

CanvasFont canvasFontFor(const PclFont& font, bool bold, CharacterSet characters) {
    double fittingEm = 72.0 / (font.pitch * MonospaceAdvance);
    // Held to the printer's sizes, whatever font it is given.
    double points = std::clamp(std::min(fittingEm, font.height), 1.0, MostHeight);
    return CanvasFont{"Courier New", points, bold, font.pitch, characters};
}

void drawPclPage(PrinterCanvas& canvas, const PclPage& page) {
    const double scaleX = static_cast<double>(canvas.pageWidth()) / sheetWidth(page);
    const double scaleY = static_cast<double>(canvas.pageHeight()) / sheetHeight(page);
    const int logicalLeft = page.landscape ? LandscapeLogicalLeft : PortraitLogicalLeft;
    bool fontSet = false;
    CanvasFont current;
    for (const PclText& text : page.texts) {
        CanvasFont font = canvasFontFor(text.font, text.bold, text.characters);
        if (!fontSet || font != current) {
            canvas.setFont(font);
            current = font;
            fontSet = true;
        }
        // The canvas places a text by its cell's top, PCL by its baseline.
        double cellTop = text.vertical - MonospaceAscent * font.points * 10.0;
        canvas.drawText(static_cast<int>(std::lround((logicalLeft + text.horizontal) * scaleX)),
                        static_cast<int>(std::lround(cellTop * scaleY)), text.text);
    }
}

void drawPclPages(PrinterCanvas& canvas, std::span<const PclPage> pages) {
    if (pages.empty())
        return;
    canvas.setOrientation(pages.front().landscape ? Orientation::Landscape : Orientation::Portrait);
    printDocument(canvas, [&] {
        bool firstPage = true;
        for (const PclPage& page : pages) {
            if (!firstPage)
                canvas.newPage();
            firstPage = false;
            drawPclPage(canvas, page);
        }
    });
}

} // namespace analysis::pcl
