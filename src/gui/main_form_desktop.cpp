// What a desktop program offers beyond the day's own controls: keyboard shortcuts, finding and
// zooming in the viewer, the icon and the About box.
#include "gui/main_form.h"

#include "gui/app_icon.h"

#include <QAction>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTextDocument>
#include <QWheelEvent>

namespace analysis {
namespace {

/// The viewer's design size, and the bounds of its zoom.
constexpr int ViewerPixels = 13;
constexpr int SmallestViewerPixels = 6;
constexpr int LargestViewerPixels = 40;
/// How long a status line word stays.
constexpr int StatusMilliseconds = 6000;

} // namespace

void TMainForm::createDesktopActions() {
    setWindowIcon(appIcon());
    auto shortcut = [this](QKeySequence keys, auto handler) {
        auto* action = new QAction(this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
        return action;
    };
    shortcut(QKeySequence::Print, [this] { PrintButton->click(); })->setObjectName("PrintShortcut");
    shortcut(QKeySequence::Find, [this] { findInViewer(true, false); });
    shortcut(QKeySequence::FindNext, [this] { findInViewer(false, false); });
    shortcut(QKeySequence::FindPrevious, [this] { findInViewer(false, true); });
    shortcut(QKeySequence::ZoomIn, [this] { zoomViewer(1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { zoomViewer(1); });
    shortcut(QKeySequence::ZoomOut, [this] { zoomViewer(-1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { zoomViewer(0); });
    MainMemo->viewport()->installEventFilter(this);
}

void TMainForm::say(const QString& text) {
    statusBar()->showMessage(text, StatusMilliseconds);
}

void TMainForm::findInViewer(bool ask, bool backward) {
    if (ask || findText_.isEmpty()) {
        QString text = setup_.askText("Find", "Find in the report:", findText_);
        if (text.isEmpty())
            return;
        findText_ = text;
    }
    QTextDocument::FindFlags flags;
    if (backward)
        flags |= QTextDocument::FindBackward;
    if (MainMemo->find(findText_, flags))
        return;
    // Not found between here and the end: go round once from the other end.
    QTextCursor cursor = MainMemo->textCursor();
    cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    MainMemo->setTextCursor(cursor);
    if (!MainMemo->find(findText_, flags))
        say(QString("\"%1\" is not in this report").arg(findText_));
}

void TMainForm::zoomViewer(int step) {
    QFont font = MainMemo->font();
    int pixels = step == 0 ? ViewerPixels : font.pixelSize() + step;
    font.setPixelSize(std::clamp(pixels, SmallestViewerPixels, LargestViewerPixels));
    MainMemo->setFont(font);
}

bool TMainForm::viewerWheel(QEvent* event) {
    if (event->type() != QEvent::Wheel)
        return false;
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier))
        return false;
    int notches = wheel->angleDelta().y() / 120;
    if (notches != 0)
        zoomViewer(notches);
    return true;
}

void TMainForm::showAbout() {
    QMessageBox about(this);
    about.setWindowTitle("About Analysis");
    about.setIconPixmap(appIcon().pixmap(64, 64));
    about.setText("<b>Analysis</b> " ANALYSIS_VERSION);
    about.setInformativeText(QString("The race-day handicapping analysis: decode, list, view and "
                                     "print the day's reports.\n\nBuild %1, %2 %3, Qt %4.")
                                 .arg(BuildStamp, __DATE__, __TIME__, qVersion()));
    about.exec();
}

} // namespace analysis
