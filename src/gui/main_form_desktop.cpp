// What a desktop program offers beyond the day's own controls: keyboard shortcuts, finding in
// the viewer and across the day, zooming the viewer, the window's geometry and zoom kept
// between starts, the icon and the About box.
#include "gui/main_form.h"

#include "gui/app_icon.h"
#include "gui/cp437_text.h"
#include "gui/find_in_day_form.h"
#include "gui/window_memory.h"

#include "core/common/cp437.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTextBlock>
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
    shortcut(QKeySequence::ZoomIn, [this] { zoomViewer(1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { zoomViewer(1); });
    shortcut(QKeySequence::ZoomOut, [this] { zoomViewer(-1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { zoomViewer(0); });
    MainMemo->viewport()->installEventFilter(this);
}

void TMainForm::say(const QString& text) {
    statusBar()->showMessage(text, StatusMilliseconds);
}

void TMainForm::createFindMenu() {
    QMenu* find = menuBar()->addMenu("&Find");
    find->setObjectName("FindMenu");
    auto item = [this, find](const QString& caption, const char* name, QKeySequence keys,
                             auto handler) {
        QAction* action = find->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
    };
    item("Find in This &Report...", "FindInReportMenu", QKeySequence::Find,
         [this] { findInViewer(true, false); });
    item("Find in the &Day's Reports...", "FindInDayMenu",
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), [this] { findInDayClick(); });
    find->addSeparator();
    item("Find &Next", "FindNextMenu", QKeySequence::FindNext, [this] { findNext(false); });
    item("Find &Previous", "FindPreviousMenu", QKeySequence::FindPrevious,
         [this] { findNext(true); });
}

void TMainForm::findNext(bool backward) {
    if (!findingAcrossDay_) {
        findInViewer(false, backward);
        return;
    }
    bool shown = false;
    guarded([&] { shown = session_.showNextHit(backward); });
    render();
    if (!shown)
        say("The last search found nothing in the day's reports");
}

void TMainForm::findInDayClick() {
    const std::shared_ptr<const DaySearch>& last = session_.day().search;
    const QString asked = setup_.askText("Find in the Day", "Find in every report of the day:",
                                         last ? textFromCp437(last->text) : QString());
    if (asked.isEmpty())
        return;
    std::string bytes;
    for (QChar c : asked) {
        const std::optional<unsigned char> byte = unicodeToCp437(c.unicode());
        if (!byte) {
            say(QString("\"%1\" is in none of the day's reports: they hold no \"%2\"")
                    .arg(asked, QString(c)));
            return;
        }
        bytes += static_cast<char>(*byte);
    }
    findInDay(bytes, last && last->caseSensitive);
}

void TMainForm::findInDay(const std::string& text, bool caseSensitive) {
    findingAcrossDay_ = true;
    guarded([&] { session_.findInDay(text, caseSensitive); });
    render();
    findInDayForm_->show();
    findInDayForm_->raise();
    findInDayForm_->activateWindow();
}

void TMainForm::showHit(int index) {
    findingAcrossDay_ = true;
    guarded([&] { session_.showHit(index); });
    render();
}

void TMainForm::selectHitInViewer(const Day& day) {
    if (!day.search || day.currentHit < 0 ||
        day.currentHit >= static_cast<int>(day.search->hits.size()))
        return;
    const ReportHit& hit = day.search->hits[static_cast<std::size_t>(day.currentHit)];
    const QTextBlock line = MainMemo->document()->findBlockByNumber(hit.line - 1);
    // The report may have changed since the search (a scratch edit, E reports re-cut to another
    // limit): a line that is no longer the one found is not marked.
    if (!line.isValid() || line.text() != textFromCp437(hit.lineText))
        return;
    QTextCursor match(MainMemo->document());
    match.setPosition(line.position() + static_cast<int>(hit.column));
    match.setPosition(match.position() + static_cast<int>(hit.length), QTextCursor::KeepAnchor);
    MainMemo->setTextCursor(match);
    MainMemo->centerCursor();
}

void TMainForm::findInViewer(bool ask, bool backward) {
    if (ask || findText_.isEmpty()) {
        findingAcrossDay_ = false;
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
    setViewerPixels(step == 0 ? ViewerPixels : MainMemo->font().pixelSize() + step);
}

void TMainForm::setViewerPixels(int pixels) {
    QFont font = MainMemo->font();
    font.setPixelSize(std::clamp(pixels, SmallestViewerPixels, LargestViewerPixels));
    MainMemo->setFont(font);
}

void TMainForm::recallWindowMemory() {
    std::optional<WindowMemory> memory = recallWindow(QSettings());
    if (!memory)
        return;
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    setGeometry(placeOnScreens(memory->geometry, screens));
    if (memory->maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    if (memory->viewerPixels > 0)
        setViewerPixels(memory->viewerPixels);
}

void TMainForm::keepWindowMemory() {
    QSettings settings;
    rememberWindow(settings, {normalGeometry(), isMaximized(), MainMemo->font().pixelSize()});
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
