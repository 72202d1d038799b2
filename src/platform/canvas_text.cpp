// The canvas engine's text on a Qt painter.
#include "platform/canvas_text.h"

#include "core/common/cp437.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>
#include <QString>

namespace analysis {

namespace {
bool isControl(int byte) {
    return byte < 32 || byte == 127;
}
} // namespace

void CanvasTextPainter::setFont(QPainter& painter, const CanvasFont& font) {
    font_ = QFont(QString::fromStdString(font.name));
    font_.setPointSizeF(font.points);
    font_.setBold(font.bold);
    font_.setStyleHint(QFont::TypeWriter);
    pitch_ = font.pitch;
    characters_ = font.characters;
    for (int byte = 0; byte < 256; ++byte) {
        char32_t c = characters_ == CharacterSet::Cp437
                         ? cp437ToUnicode(static_cast<unsigned char>(byte))
                         : static_cast<char32_t>(byte);
        characterOf_[static_cast<std::size_t>(byte)] =
            isControl(byte) ? u' ' : static_cast<char16_t>(c);
    }
    applyFont(painter);
}

void CanvasTextPainter::draw(QPainter& painter, int x, int y, std::string_view text) {
    const QPointF baseline(x, y + ascent_);
    if (drawGlyphs(painter, baseline, text))
        return;
    QString characters(static_cast<qsizetype>(text.size()), QChar(' '));
    for (std::size_t i = 0; i < text.size(); ++i)
        characters[static_cast<qsizetype>(i)] =
            QChar(characterOf_[static_cast<unsigned char>(text[i])]);
    painter.drawText(baseline, characters);
}

// Lines are placed glyph by glyph from the font's own advances: the output is what the text
// shaper gives for such text in a printer font, at a fraction of the cost. Blanks, and control
// bytes, which have no picture in a text font, take one blank cell and are not drawn (a tab is
// not expanded to a tab stop). Returns false, drawing nothing, when the font lacks a character,
// so that the caller can draw the line with font fallback.
bool CanvasTextPainter::drawGlyphs(QPainter& painter, QPointF baseline, std::string_view text) {
    if (!rawFont_.isValid())
        return false;
    runGlyphs_.clear();
    runPositions_.clear();
    qreal pen = 0;
    for (char byte : text) {
        auto c = static_cast<unsigned char>(byte);
        if (characterOf_[c] != u' ') {
            if (glyphs_[c] == 0)
                return false;
            runGlyphs_.push_back(glyphs_[c]);
            runPositions_.push_back(QPointF(pen, 0));
        }
        pen += advances_[c];
    }
    if (runGlyphs_.isEmpty())
        return true;
    QGlyphRun run;
    run.setRawFont(rawFont_);
    run.setGlyphIndexes(runGlyphs_);
    run.setPositions(runPositions_);
    painter.drawGlyphRun(baseline, run);
    return true;
}

void CanvasTextPainter::applyFont(QPainter& painter) {
    // The font is measured on the device itself: its resolution decides the sizes in pixels.
    QPaintDevice* device = painter.device();
    painter.setFont(font_);
    // A fixed pitch is kept by the glyph positions below; the letter spacing keeps it for a
    // line drawn with font fallback as well.
    const qreal resolution = device->logicalDpiX();
    const qreal cell = pitch_ > 0 ? resolution / pitch_ : 0;
    if (cell > 0) {
        // The spacing is given in points, the device's pixels at 72 to the inch.
        const qreal natural = QFontMetricsF(font_, device).horizontalAdvance(QLatin1Char('0'));
        QFont spaced = font_;
        spaced.setLetterSpacing(QFont::AbsoluteSpacing, (cell - natural) * 72.0 / resolution);
        painter.setFont(spaced);
    }
    ascent_ = painter.fontMetrics().ascent();
    rawFont_ = QRawFont::fromFont(painter.font());
    if (!rawFont_.isValid())
        return;
    QString characters(256, QChar(' '));
    for (int c = 0; c < 256; ++c)
        characters[c] = QChar(characterOf_[static_cast<std::size_t>(c)]);
    int count = 256;
    if (!rawFont_.glyphIndexesForChars(characters.constData(), 256, glyphs_.data(), &count) ||
        count != 256) {
        rawFont_ = QRawFont();
        return;
    }
    QList<quint32> glyphs(glyphs_.begin(), glyphs_.end());
    QList<QPointF> advances = rawFont_.advancesForGlyphIndexes(glyphs);
    for (int c = 0; c < 256; ++c)
        advances_[static_cast<std::size_t>(c)] = cell > 0 ? cell : advances[c].x();
}

} // namespace analysis
