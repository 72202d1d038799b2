// The canvas engine's text on a Qt painter, shared by the printer and the preview so that both
// draw each line alike.
#pragma once

#include "core/print/canvas/printer_canvas.h"

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRawFont>

#include <array>
#include <string_view>

class QPainter;

namespace analysis {

/// Draws texts in a CanvasFont with a painter. The font is sized on the painter's device, so a
/// font of so many points has as many device pixels as it has on a printer of that resolution.
class CanvasTextPainter {
public:
    /// Sets font on the painter, which must be active.
    void setFont(QPainter& painter, const CanvasFont& font);
    /// Draws text with the top-left corner of its cell at (x, y): each byte as the character of
    /// the font's character set, a control byte as a blank; the baseline is below y by the
    /// font's ascent.
    void draw(QPainter& painter, int x, int y, std::string_view text);

private:
    void applyFont(QPainter& painter);
    bool drawGlyphs(QPainter& painter, QPointF baseline, std::string_view text);

    QFont font_;
    double pitch_ = 0;
    CharacterSet characters_ = CharacterSet::Latin1;
    int ascent_ = 0;
    /// The character each byte stands for; a control byte stands for a blank.
    std::array<char16_t, 256> characterOf_{};
    /// The font's glyph and advance for each byte, so lines are placed without running the
    /// text shaper; glyph 0 marks a character the font lacks.
    QRawFont rawFont_;
    std::array<quint32, 256> glyphs_{};
    std::array<qreal, 256> advances_{};
    QList<quint32> runGlyphs_;
    QList<QPointF> runPositions_;
};

} // namespace analysis
