// The program's icon: a money-green card with a navy "A" over a rising line of figures.
#include "gui/app_icon.h"

#include "core/common/io_error.h"
#include "core/common/temporary_files.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QString>

namespace analysis {
namespace {

QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.setPen(QPen(QColor(0x2F, 0x4F, 0x2F), unit * 0.5));
    painter.setBrush(QColor(0xC0, 0xDC, 0xC0));
    painter.drawRoundedRect(QRectF(unit * 0.5, unit * 0.5, unit * 15, unit * 15), unit * 2,
                            unit * 2);
    QPainterPath line;
    line.moveTo(unit * 2.5, unit * 12.5);
    line.lineTo(unit * 6, unit * 10);
    line.lineTo(unit * 9, unit * 11.5);
    line.lineTo(unit * 13.5, unit * 6.5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0xB0, 0x30, 0x30), unit * 1.1, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(line);
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(static_cast<int>(unit * 10));
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 128));
    painter.drawText(QRectF(0, 0, size, size * 0.8), Qt::AlignCenter, "A");
    return pixmap;
}

} // namespace

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(drawIcon(size));
    return icon;
}

bool saveAppIcon(const std::filesystem::path& file, int size) {
    // Written beside and renamed over, so a link standing at the name is replaced, not followed.
    try {
        FileBeside icon(file);
        if (!drawIcon(size).save(QString::fromStdString(icon.path().string()), "PNG"))
            return false;
        icon.replaceTarget();
        return true;
    } catch (const AnalysisError&) {
        return false;
    }
}

} // namespace analysis
