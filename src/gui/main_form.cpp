// The main window's controls, menu and dialogs.
#include "gui/main_form.h"

#include "gui/archive_picker.h"
#include "gui/edit_form.h"
#include "gui/find_in_day_form.h"
#include "gui/message.h"
#include "gui/options_form.h"
#include "gui/printer_x_form.h"
#include "gui/simo_opts.h"
#include "gui/up_down.h"

#include "core/common/io_error.h"
#include "platform/desktop_folder.h"
#include "platform/printer_catalog.h"
#include "resources/embedded_resources.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdio>
#include <new>

namespace analysis {
namespace {

constexpr int ClientWidth = 984;
constexpr int ClientHeight = 542;
/// The list side: the race date, the list, the print controls and the counter corner.
constexpr int ListSideWidth = 320;
constexpr int ListRows = 15;
constexpr int ListItemHeight = 18;

QFont pixelFont(const QString& family, int pixels, bool bold) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

/// A list shows where the keyboard is: its frame turns a strong blue while it has the focus,
/// which the platform style leaves to a faint item outline.
void showFocusFrame(QListWidget* list) {
    list->setStyleSheet(QString("QListWidget#%1 { border: 2px solid #8A8A8A; }"
                                "QListWidget#%1:focus { border: 2px solid #0046AD; }")
                            .arg(list->objectName()));
}

QPushButton* makeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

DaySessionSetup TMainForm::daySessionSetup() {
    DaySessionSetup day{
        setup_.folders, desktopFolder(),
        [](char name, const std::filesystem::path& file) { ExtractResource(name, file); },
        setup_.printers,
        setup_.printerState ? setup_.printerState : PrinterStateReader(cupsPrinterState)};
    day.writeReportFilesBehind = setup_.writeReportFilesBehind;
    day.runningProgram = setup_.exePath.toStdString();
    // Called on the writing thread: the window hears of it in its own.
    day.reportFilesWritten = [this] {
        QMetaObject::invokeMethod(
            this, [this] { reportFilesWritten(); }, Qt::QueuedConnection);
    };
    day.waitingForReportFiles = [this](bool waiting) {
        if (waiting)
            waitingForReportFiles_.emplace();
        else
            waitingForReportFiles_.reset();
    };
    return day;
}

TMainForm::TMainForm(MainFormSetup setup, QWidget* parent)
    : QMainWindow(parent), setup_(std::move(setup)), session_(daySessionSetup()) {
    if (!setup_.sessionEnding)
        setup_.sessionEnding = [] { return false; };
    // A test that catches messages catches warnings too, unless it asks for them apart.
    if (!setup_.showWarning && setup_.showMessage)
        setup_.showWarning = setup_.showMessage;
    if (!setup_.showWarning)
        setup_.showWarning = [this](const QString& text) {
            if (!noticeWithoutABox(text))
                showWarning(this, text);
        };
    if (!setup_.showMessage)
        setup_.showMessage = [this](const QString& text) {
            if (!noticeWithoutABox(text))
                showMessage(this, text);
        };
    if (!setup_.newestJob)
        setup_.newestJob = newestCupsJob;
    if (!setup_.lookupJob)
        setup_.lookupJob = cupsJob;
    if (!setup_.cancelJob)
        setup_.cancelJob = cancelCupsJob;
    if (!setup_.bigJobSheets)
        setup_.bigJobSheets = QSettings().value("print/askAboveSheets", 25).toInt();
    if (!setup_.confirmBigJob)
        setup_.confirmBigJob = [this](int sheets, const QString& printer) {
            QMessageBox box(
                QMessageBox::Question, "Analysis",
                QString("This print takes %1 sheets of paper on %2.").arg(sheets).arg(printer),
                QMessageBox::NoButton, this);
            QPushButton* print = box.addButton("&Print", QMessageBox::AcceptRole);
            QPushButton* preview = box.addButton("Pre&view First", QMessageBox::ActionRole);
            box.setDefaultButton(box.addButton(QMessageBox::Cancel));
            box.exec();
            if (box.clickedButton() == preview)
                guarded([this] { previewClick(); });
            return box.clickedButton() == print;
        };
    if (!setup_.askCloseAnyway)
        setup_.askCloseAnyway = [this](const QString& question) {
            QMessageBox box(QMessageBox::Warning, "Analysis", question, QMessageBox::NoButton,
                            this);
            QPushButton* closeAnyway = box.addButton("&Close Anyway", QMessageBox::AcceptRole);
            box.setDefaultButton(box.addButton("&Stay", QMessageBox::RejectRole));
            box.exec();
            return box.clickedButton() == closeAnyway;
        };
    // The archive to load is asked through askText when that is all a test answers.
    if (!setup_.chooseArchive && setup_.askText)
        setup_.chooseArchive = [this](const std::vector<ArchiveEntry>&, const QString&) {
            return setup_.askText("Load File", "Load Analysis.TXT from: ", QString());
        };
    if (!setup_.chooseArchive)
        setup_.chooseArchive = [this](const std::vector<ArchiveEntry>& archives,
                                      const QString& folder) {
            ArchivePicker picker(archives, folder, this);
            picker.exec();
            return picker.chosenName();
        };
    if (!setup_.askConfirm)
        setup_.askConfirm = [this](const QString& question) {
            return QMessageBox::question(this, "Analysis", question,
                                         QMessageBox::Yes | QMessageBox::No,
                                         QMessageBox::No) == QMessageBox::Yes;
        };
    if (!setup_.askText)
        setup_.askText = [this](const QString& caption, const QString& prompt,
                                const QString& defaultText) {
            bool ok = false;
            QString text =
                QInputDialog::getText(this, caption, prompt, QLineEdit::Normal, defaultText, &ok);
            return ok ? text : defaultText;
        };
    setObjectName("MainForm");
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    createControls();
    createMenu();
    createDesktopActions();
    setKeyboardOrder();
    // The dialogs come first so that start-up can seed them with the stored choices.
    createDialogs();
    connectDialogs();
    DirtyUp();
    recallWindowMemory();
}

TMainForm::~TMainForm() = default;

void TMainForm::createControls() {
    // The list side keeps the design's places; the viewer takes whatever room the window gets
    // beyond the design size, which is also its smallest.
    auto* central = new QWidget(this);
    central->setObjectName("central");
    central->setMinimumSize(ClientWidth, ClientHeight);
    setCentralWidget(central);
    auto* client = new QWidget(central);
    client->setObjectName("client");
    client->setFixedWidth(ListSideWidth);
    client->setMinimumHeight(ClientHeight);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(client);
    setFont(pixelFont("Lucida Console", 12, false));
    // Grey as the design has it, dark enough to read (6:1 on the window's background).
    QPalette grey = palette();
    grey.setColor(QPalette::WindowText, QColor(0x59, 0x59, 0x59));
    setPalette(grey);

    int y = createReportList(client);
    createPrintControls(client, y);
    createCounterPanel(client);
    createViewer(central);
    // The banner, when the day calls for one, sits above the viewer it speaks of.
    auto* viewerColumn = new QVBoxLayout;
    viewerColumn->setContentsMargins(0, 0, 0, 0);
    viewerColumn->setSpacing(0);
    viewerColumn->addWidget(dayBanner_);
    viewerColumn->addWidget(MainMemo, 1);
    layout->addLayout(viewerColumn, 1);
    createHiddenButtons(client);
    statusBar()->setObjectName("StatusLine");

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(ClientWidth / 2, ClientHeight / 2));
}

int TMainForm::createReportList(QWidget* client) {
    RaceDate = new QLabel("Race Date", client);
    RaceDate->setObjectName("RaceDate");
    RaceDate->setFont(pixelFont("Lucida Console", 21, true));
    RaceDate->setAlignment(Qt::AlignCenter);
    RaceDate->setGeometry(8, 6, 304, 30);

    ReportListBox = new QListWidget(client);
    ReportListBox->setObjectName("ReportListBox");
    ReportListBox->setFont(pixelFont("Courier New", 16, true));
    QPalette navy = ReportListBox->palette();
    navy.setColor(QPalette::Text, QColor(0, 0, 128));
    ReportListBox->setPalette(navy);
    ReportListBox->setFlow(QListView::TopToBottom);
    ReportListBox->setWrapping(true);
    ReportListBox->setResizeMode(QListView::Adjust);
    ReportListBox->setUniformItemSizes(true);
    ReportListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    ReportListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ReportListBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    showFocusFrame(ReportListBox);
    int frame = 2 * ReportListBox->frameWidth();
    int scrollBar = ReportListBox->horizontalScrollBar()->sizeHint().height();
    // A few pixels to spare, never a whole row: exactly 15 rows make a column.
    ReportListBox->setGeometry(8, 40, 304, ListRows * ListItemHeight + frame + scrollBar + 8);
    // Two columns of 15 rows in view; the rest of the day is a sideways scroll away.
    ReportListBox->setGridSize(QSize((304 - frame) / 2, ListItemHeight));
    ReportListBox->installEventFilter(this);
    connect(ReportListBox, &QListWidget::itemClicked, this, [this] { ReportBoxClick(); });
    connect(ReportListBox, &QListWidget::currentRowChanged, this, [this] { ReportBoxClick(); });
    connect(ReportListBox, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        session_.tick(ReportListBox->row(item), item->checkState() == Qt::Checked);
        render();
    });
    int y = ReportListBox->geometry().bottom() + 6;

    checkALL = makeButton("Chec&k ALL", "checkALL", client);
    checkALL->setGeometry(8, y, 148, 26);
    connect(checkALL, &QPushButton::clicked, this, &TMainForm::CheckAllClick);
    clearALL = makeButton("Clea&r ALL", "clearALL", client);
    clearALL->setGeometry(164, y, 148, 26);
    connect(clearALL, &QPushButton::clicked, this, &TMainForm::ClearAllClick);
    return y + 32;
}

void TMainForm::createPrintControls(QWidget* client, int y) {
    PrintButton = makeButton("&PRINT", "PrintButton", client);
    PrintButton->setFont(pixelFont("Lucida Console", 23, true));
    PrintButton->setGeometry(8, y, 304, 40);
    PrintButton->setToolTip("Print the ticked reports in the print mode below (Ctrl+P)");
    connect(PrintButton, &QPushButton::clicked, this, &TMainForm::PrintButtonClick);
    y += 46;

    SpinFont = new QLabel("     PCL Landscape 6pt   ", client);
    SpinFont->setObjectName("SpinFont");
    SpinFont->setFont(pixelFont("Lucida Sans", 13, true));
    SpinFont->setToolTip("CLICK for  More Options");
    SpinFont->setGeometry(8, y, 244, 28);
    SpinFont->setCursor(Qt::PointingHandCursor);
    SpinFont->installEventFilter(this);
    FontSelect = new UpDown(0, 7, 1, true, client);
    FontSelect->setObjectName("FontSelect");
    FontSelect->setPosition(2);
    FontSelect->setGeometry(284, y - 2, 24, 32);
    FontSelect->setToolTip("Step through the print modes: up to the one above in the list, "
                           "down to the one below");
    connect(FontSelect, &UpDown::clicked, this, &TMainForm::FontSelectClick);
    createModeMenu(client, y);
}

void TMainForm::createModeMenu(QWidget* client, int y) {
    auto* menu = new QMenu(this);
    menu->setObjectName("ModeMenu");
    modeChoices_ = new QActionGroup(this);
    for (int mode = 0; mode < FontModeCount; ++mode) {
        const std::string_view label = PrintModeTable[static_cast<std::size_t>(mode)];
        const QString name =
            QString::fromLatin1(label.data(), static_cast<qsizetype>(label.size())).simplified();
        QAction* choice = menu->addAction(name);
        choice->setObjectName(QString("Mode%1").arg(mode));
        choice->setCheckable(true);
        // The reserved modes print nothing of their own: shown, so the list keeps the
        // arrows' order, but not to be chosen.
        choice->setEnabled(!name.contains("reserved"));
        modeChoices_->addAction(choice);
        connect(choice, &QAction::triggered, this, [this, mode] {
            session_.chooseMode(mode);
            PrintButton->setEnabled(true);
            render();
        });
    }
    menu->addSeparator();
    QAction* printerOptions = menu->addAction("Printer &Options...");
    printerOptions->setObjectName("PrinterOptionsMenu");
    connect(printerOptions, &QAction::triggered, this, &TMainForm::SpinFontDblClick);
    auto* button = new QToolButton(client);
    button->setObjectName("ModeMenuButton");
    button->setArrowType(Qt::DownArrow);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setStyleSheet("QToolButton::menu-indicator { image: none; }");
    button->setMenu(menu);
    button->setShortcut(QKeySequence("Alt+M"));
    button->setAccessibleName("Print modes");
    button->setFocusPolicy(Qt::StrongFocus);
    button->setToolTip("Choose the print mode by name (Alt+M), or open the printer options");
    button->setGeometry(254, y, 28, 28);
}

void TMainForm::createCounterPanel(QWidget* client) {
    ListBox1 = new QListWidget(client);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setGeometry(8, ClientHeight - 96, 90, 90);
    ListBox1->viewport()->installEventFilter(this);
    ListBox1->installEventFilter(this);
    ListBox1->setAccessibleName("Job counter");
    ListBox1->setToolTip("Job counter: hold the mouse button (or the space bar) here to see the "
                         "print job counter; this also puts the launcher back on the desktop");
    showFocusFrame(ListBox1);
    auto* counterLabel = new QLabel("Job\ncounter", ListBox1->viewport());
    counterLabel->setObjectName("ListBox1Label");
    counterLabel->setAlignment(Qt::AlignCenter);
    counterLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    counterLabel->setGeometry(0, 0, 86, 86);

    PrintSimo = makeButton("Print Simo Schedule", "PrintSimo", client);
    PrintSimo->setGeometry(106, ClientHeight - 96, 206, 26);
    PrintSimo->setToolTip("Print the race schedule of the ticked reports' tracks on the current "
                          "printer, in the line spacing chosen");
    options = makeButton("line spacing options", "options", client);
    options->setToolTip("Lines per page and the 2-up format of the schedule print");
    options->setGeometry(106, ClientHeight - 66, 206, 26);
    connect(PrintSimo, &QPushButton::clicked, this, &TMainForm::PrintSimoClick);
    connect(options, &QPushButton::clicked, this, &TMainForm::optionsClick);

    IDlabel = new QLabel("0000", client);
    IDlabel->setObjectName("IDlabel");
    IDlabel->setFont(pixelFont("Lucida Console", 16, true));
    IDlabel->setAlignment(Qt::AlignCenter);
    IDlabel->setAutoFillBackground(true);
    // A dark silver on the money green: the design's colours, readable (5:1).
    QPalette silver = IDlabel->palette();
    silver.setColor(QPalette::WindowText, QColor(0x4A, 0x4A, 0x4A));
    IDlabel->setPalette(silver);
    IDlabel->setToolTip("Your subscriber number");
    IDlabel->setGeometry(106, ClientHeight - 32, 100, 24);

    PrintCounter = new QLabel("9999", client);
    PrintCounter->setObjectName("PrintCounter");
    // Small, as the design has it, yet large and dark enough to read (over 7:1).
    PrintCounter->setFont(pixelFont("Small Fonts", 12, false));
    QPalette ink = PrintCounter->palette();
    ink.setColor(QPalette::WindowText, QColor(0x33, 0x33, 0x33));
    PrintCounter->setPalette(ink);
    PrintCounter->setAlignment(Qt::AlignCenter);
    PrintCounter->setGeometry(214, ClientHeight - 32, 98, 24);
    PrintCounter->setToolTip("The print job: ---- while printing, -OK- when done, FAIL when it "
                             "failed");
}

void TMainForm::createViewer(QWidget* client) {
    MainMemo = new QPlainTextEdit(client);
    MainMemo->setObjectName("MainMemo");
    MainMemo->setReadOnly(true);
    // Reached with Tab too, so a report can be scrolled from the keyboard.
    MainMemo->setFocusPolicy(Qt::StrongFocus);
    MainMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    MainMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MainMemo->setFont(pixelFont("Terminal", 13, false));
    MainMemo->setPlainText("+-------+-------+-------+-------+-------+-------+-------+-------+---"
                           "----+-------");
    MainMemo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Tab moves the focus on, as everywhere else in the window.
    MainMemo->setTabChangesFocus(true);
    dayBanner_ = new QLabel(client);
    dayBanner_->setObjectName("DayBanner");
    dayBanner_->setWordWrap(true);
    dayBanner_->setMargin(6);
    dayBanner_->setAutoFillBackground(true);
    QPalette note = dayBanner_->palette();
    note.setColor(QPalette::Window, QColor(0xFF, 0xF4, 0xC2));
    note.setColor(QPalette::WindowText, QColor(0x3A, 0x2E, 0x00));
    dayBanner_->setPalette(note);
    dayBanner_->setVisible(false);
}

void TMainForm::createHiddenButtons(QWidget* client) {
    UpdateButton = makeButton("&UPDATE", "UpdateButton", client);
    SaveButton = makeButton("&SAVE", "SaveButton", client);
    LoadButton = makeButton("&LOAD", "LoadButton", client);
    for (QPushButton* hidden : {UpdateButton, SaveButton, LoadButton}) {
        hidden->setVisible(false);
        hidden->setEnabled(false);
    }
}

void TMainForm::createMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu");
    QMenu* archive = bar->addMenu("&Archive");
    archive->setObjectName("FileMenu");
    QAction* save = archive->addAction("&Save");
    save->setObjectName("FileMenuSave");
    connect(save, &QAction::triggered, this, &TMainForm::SaveButtonClick);
    QAction* load = archive->addAction("&Load");
    load->setObjectName("FileMenuLoad");
    connect(load, &QAction::triggered, this, &TMainForm::LoadButtonClick);
    archive->addSeparator();
    QAction* quit = archive->addAction("&Quit");
    quit->setObjectName("QuitMenu");
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    createPreviewActions(archive, quit);
    createOpenActions(archive);
    QAction* scratch = bar->addAction("&ScratchX");
    scratch->setObjectName("MenuEdit");
    connect(scratch, &QAction::triggered, this, &TMainForm::MenuEditClick);
    QAction* listOptions = bar->addAction("&Options");
    listOptions->setObjectName("OptionsMenu");
    connect(listOptions, &QAction::triggered, this, &TMainForm::OptionsMenuClick);
    createFindMenu();
    QMenu* help = bar->addMenu("&?");
    help->setObjectName("N1");
    // Opening the menu shows nothing by itself: the report guide is an item like the others.
    QAction* guide = help->addAction("&@-Report");
    guide->setObjectName("HelpIndexMenu");
    connect(guide, &QAction::triggered, this, &TMainForm::WTFClick);
    QAction* a = help->addAction("A-Report");
    a->setObjectName("AReport");
    connect(a, &QAction::triggered, this, &TMainForm::WTFClickA);
    QAction* e = help->addAction("E-Report");
    e->setObjectName("EReport");
    connect(e, &QAction::triggered, this, &TMainForm::WTFClickE);
    help->addSeparator();
    QAction* about = help->addAction("&About Analysis");
    about->setObjectName("AboutMenu");
    connect(about, &QAction::triggered, this, &TMainForm::showAbout);

    // The current-view print sits at the bar's right end, in the bar's corner, so a narrow
    // window never folds it into the overflow arrow.
    QAction* quickie = new QAction("PRINT Current View  Only", this);
    quickie->setObjectName("QuickieMenu");
    quickie->setToolTip("Print the report shown in the viewer, in the current print mode");
    connect(quickie, &QAction::triggered, this, &TMainForm::Quickie);
    auto* corner = new QToolButton(bar);
    corner->setObjectName("QuickieButton");
    corner->setDefaultAction(quickie);
    corner->setAutoRaise(true);
    // The menu bar's keys never reach a corner: the button takes the focus with Tab, and the
    // Archive menu holds the same action.
    corner->setFocusPolicy(Qt::StrongFocus);
    bar->setCornerWidget(corner, Qt::TopRightCorner);
    archive->insertAction(quit, quickie);
    archive->insertSeparator(quit);
}

void TMainForm::setKeyboardOrder() {
    // Tab follows the window's reading order: down the list side, then the viewer, then the
    // print of what the viewer shows.
    const std::vector<QWidget*> order = {ReportListBox,
                                         checkALL,
                                         clearALL,
                                         PrintButton,
                                         findChild<QToolButton*>("ModeMenuButton"),
                                         FontSelect->upButton(),
                                         FontSelect->downButton(),
                                         ListBox1,
                                         PrintSimo,
                                         options,
                                         MainMemo,
                                         findChild<QToolButton*>("QuickieButton")};
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    for (QToolButton* arrow : {FontSelect->upButton(), FontSelect->downButton()})
        arrow->setFocusPolicy(Qt::TabFocus);
}

void TMainForm::createDialogs() {
    optionsForm_ = new TOptionsForm(this);
    editForm_ = new TEditForm(setup_.askConfirm, this);
    printerXForm_ = new TPrinterXForm(session_.day().print.printers, this);
    simoOpts_ = new TSimoOpts(session_.day().simoLayout, setup_.showMessage, this);
    findInDayForm_ = new FindInDayForm(this);
}

void TMainForm::connectDialogs() {
    connect(SaveButton, &QPushButton::clicked, this, &TMainForm::SaveButtonClick);
    connect(LoadButton, &QPushButton::clicked, this, &TMainForm::LoadButtonClick);
    // The limit counts from the moment it is stepped, even when the dialog is then closed.
    connect(optionsForm_, &TOptionsForm::emaxLinesChanged, this,
            [this](int lines) { session_.chooseEmaxLines(lines); });
    // The paper boxes count as they stand, however the dialog is closed.
    connect(printerXForm_, &TPrinterXForm::paperChanged, this,
            [this](PclPaper paper) { session_.choosePaper(paper); });
    connect(printerXForm_, &TPrinterXForm::printerChosen, this, [this](int index) {
        session_.choosePrinter(index);
        render();
    });
    connect(findInDayForm_, &FindInDayForm::hitChosen, this, &TMainForm::showHit);
    connect(findInDayForm_, &FindInDayForm::matchCaseChosen, this, [this](bool caseSensitive) {
        // A copy: the search about to replace this one drops it.
        if (const std::shared_ptr<const DaySearch> search = session_.day().search)
            findInDay(search->text, caseSensitive);
    });
    // F3 and Shift+F3 go on from the hits' window as they do from the main window.
    for (const char* name : {"FindNextMenu", "FindPreviousMenu"})
        findInDayForm_->addAction(findChild<QAction*>(name));
}

bool TMainForm::guarded(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::bad_alloc&) {
        // Whatever the handler was building is dropped; the day on disk and in the window stays
        // as it was before the click.
        setup_.showWarning("Not enough memory to finish this; the day is kept as it was. Close "
                           "other programs (or choose fewer reports) and try again.");
    } catch (const std::exception& error) {
        setup_.showWarning(QString::fromStdString(error.what()));
    }
    return false;
}

bool TMainForm::noticeWithoutABox(const QString& text) const {
    if (!setup_.sessionEnding())
        return false;
    std::fprintf(stderr, "Analysis: %s\n", qPrintable(text));
    return true;
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (setup_.timing)
        setup_.timing->closeRequested();
    emit closeBegun();
    if (CleanUp()) {
        keepWindowMemory();
        event->accept();
    } else {
        event->ignore();
        emit closeAbandoned();
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ReportListBox && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Backspace) {
        ReportListBoxKeyPress(Qt::Key_Backspace);
        return true;
    }
    // Controls made before the viewer report to this filter while the window is built.
    if (MainMemo != nullptr && watched == MainMemo->viewport() && viewerWheel(event))
        return true;
    if (MainMemo != nullptr && watched == MainMemo->viewport() && event->type() == QEvent::Paint &&
        !firstReportTimed_ && setup_.timing && session_.day().viewer) {
        firstReportTimed_ = true;
        // Told once this paint is done, which is when the user sees the report.
        QTimer::singleShot(0, this,
                           [this] { setup_.timing->sinceProcessStart("first-report-shown"); });
    }
    // The space bar holds the counter up as the mouse button does.
    if (watched == ListBox1 &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space) {
            if (!key->isAutoRepeat())
                event->type() == QEvent::KeyPress ? ListBox1MouseDown() : ListBox1MouseUp();
            return true;
        }
    }
    if (watched == ListBox1->viewport()) {
        if (event->type() == QEvent::MouseButtonPress)
            ListBox1MouseDown();
        else if (event->type() == QEvent::MouseButtonRelease)
            ListBox1MouseUp();
    }
    // A click opens the options of the current mode; the second click of a double click then
    // lands on the dialog.
    if (watched == SpinFont && event->type() == QEvent::MouseButtonRelease) {
        SpinFontDblClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace analysis
