// The main window's controls, menu and dialogs.
#include "gui/main_form.h"

#include "gui/edit_form.h"
#include "gui/message.h"
#include "gui/options_form.h"
#include "gui/printer_x_form.h"
#include "gui/simo_opts.h"
#include "gui/up_down.h"

#include "core/common/io_error.h"
#include "platform/desktop_folder.h"
#include "resources/embedded_resources.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <new>

namespace analysis {
namespace {

constexpr int ClientWidth = 984;
constexpr int ClientHeight = 542;
constexpr int ListRows = 15;
constexpr int ListItemHeight = 18;

QFont pixelFont(const QString& family, int pixels, bool bold) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QPushButton* makeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

namespace {

DaySessionSetup daySessionSetup(const InstallFolders& folders) {
    return {folders, desktopFolder(),
            [](char name, const std::filesystem::path& file) { ExtractResource(name, file); }};
}

} // namespace

TMainForm::TMainForm(MainFormSetup setup, QWidget* parent)
    : QMainWindow(parent), setup_(std::move(setup)), session_(daySessionSetup(setup_.folders)) {
    if (!setup_.showMessage)
        setup_.showMessage = [this](const QString& text) { showMessage(this, text); };
    setObjectName("MainForm");
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    createControls();
    createMenu();
    // The dialogs come first so that start-up can seed them with the stored choices.
    createDialogs();
    connectArchiveAndOptions();
    DirtyUp();
}

TMainForm::~TMainForm() = default;

void TMainForm::createControls() {
    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);
    setFont(pixelFont("Lucida Console", 12, false));
    QPalette grey = palette();
    grey.setColor(QPalette::WindowText, Qt::darkGray);
    setPalette(grey);

    int y = createReportList(client);
    createPrintControls(client, y);
    createCounterPanel(client);
    createViewer(client);
    createHiddenButtons(client);

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
    int frame = 2 * ReportListBox->frameWidth();
    int scrollBar = ReportListBox->horizontalScrollBar()->sizeHint().height();
    // A few pixels to spare, never a whole row: exactly 15 rows make a column.
    ReportListBox->setGeometry(8, 40, 304, ListRows * ListItemHeight + frame + scrollBar + 8);
    // Two columns of 15 rows in view; the rest of the day is a sideways scroll away.
    ReportListBox->setGridSize(QSize((304 - frame) / 2, ListItemHeight));
    ReportListBox->installEventFilter(this);
    connect(ReportListBox, &QListWidget::itemClicked, this, [this] { ReportBoxClick(); });
    connect(ReportListBox, &QListWidget::currentRowChanged, this, [this] { ReportBoxClick(); });
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
    connect(PrintButton, &QPushButton::clicked, this, &TMainForm::PrintButtonClick);
    y += 46;

    SpinFont = new QLabel("     PCL Landscape 6pt   ", client);
    SpinFont->setObjectName("SpinFont");
    SpinFont->setFont(pixelFont("Lucida Sans", 13, true));
    SpinFont->setToolTip("CLICK for  More Options");
    SpinFont->setGeometry(8, y, 270, 28);
    SpinFont->setCursor(Qt::PointingHandCursor);
    SpinFont->installEventFilter(this);
    FontSelect = new UpDown(0, 7, 1, true, client);
    FontSelect->setObjectName("FontSelect");
    FontSelect->setPosition(2);
    FontSelect->setGeometry(284, y - 2, 24, 32);
    connect(FontSelect, &UpDown::clicked, this, &TMainForm::FontSelectClick);
}

void TMainForm::createCounterPanel(QWidget* client) {
    ListBox1 = new QListWidget(client);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setGeometry(8, ClientHeight - 96, 90, 90);
    ListBox1->viewport()->installEventFilter(this);

    PrintSimo = makeButton("Print Simo Schedule", "PrintSimo", client);
    PrintSimo->setGeometry(106, ClientHeight - 96, 206, 26);
    options = makeButton("line spacing options", "options", client);
    options->setGeometry(106, ClientHeight - 66, 206, 26);

    IDlabel = new QLabel("0000", client);
    IDlabel->setObjectName("IDlabel");
    IDlabel->setFont(pixelFont("Lucida Console", 16, true));
    IDlabel->setAlignment(Qt::AlignCenter);
    IDlabel->setAutoFillBackground(true);
    QPalette silver = IDlabel->palette();
    silver.setColor(QPalette::WindowText, QColor(0xC0, 0xC0, 0xC0));
    IDlabel->setPalette(silver);
    IDlabel->setGeometry(106, ClientHeight - 32, 100, 24);

    PrintCounter = new QLabel("9999", client);
    PrintCounter->setObjectName("PrintCounter");
    PrintCounter->setFont(pixelFont("Small Fonts", 9, false));
    PrintCounter->setAlignment(Qt::AlignCenter);
    PrintCounter->setGeometry(214, ClientHeight - 32, 98, 24);
}

void TMainForm::createViewer(QWidget* client) {
    MainMemo = new QPlainTextEdit(client);
    MainMemo->setObjectName("MainMemo");
    MainMemo->setReadOnly(true);
    MainMemo->setFocusPolicy(Qt::ClickFocus);
    MainMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    MainMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MainMemo->setFont(pixelFont("Terminal", 13, false));
    MainMemo->setPlainText("+-------+-------+-------+-------+-------+-------+-------+-------+---"
                           "----+-------");
    MainMemo->setGeometry(320, 0, ClientWidth - 320, ClientHeight);
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
    auto spacers = [bar](int count) {
        for (int i = 0; i < count; ++i)
            bar->addAction("  ")->setEnabled(false);
    };
    QMenu* archive = bar->addMenu("&Archive");
    archive->setObjectName("FileMenu");
    archive->addAction("&Save")->setObjectName("FileMenuSave");
    archive->addAction("&Load")->setObjectName("FileMenuLoad");
    bar->addAction("&ScratchX")->setObjectName("MenuEdit");
    bar->addAction("&Options")->setObjectName("OptionsMenu");
    spacers(12);
    QMenu* help = bar->addMenu("?");
    help->setObjectName("N1");
    connect(help, &QMenu::aboutToShow, this, &TMainForm::WTFClick);
    QAction* a = help->addAction("A-Report");
    a->setObjectName("AReport");
    connect(a, &QAction::triggered, this, &TMainForm::WTFClickA);
    QAction* e = help->addAction("E-Report");
    e->setObjectName("EReport");
    connect(e, &QAction::triggered, this, &TMainForm::WTFClickE);
    spacers(12);
    QAction* quickie = bar->addAction("PRINT Current View  Only");
    quickie->setObjectName("QuickieMenu");
    connect(quickie, &QAction::triggered, this, &TMainForm::Quickie);
    spacers(4);

    auto* quit = new QAction(this);
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    addAction(quit);
}

void TMainForm::createDialogs() {
    optionsForm_ = new TOptionsForm(this);
    editForm_ = new TEditForm(this);
    printerXForm_ = new TPrinterXForm(setup_.printers, this);
    simoOpts_ = new TSimoOpts(this);
}

bool TMainForm::guarded(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::bad_alloc&) {
        // Whatever the handler was building is dropped; the day on disk and in the window stays
        // as it was before the click.
        setup_.showMessage("Not enough memory to finish this; the day is kept as it was. Close "
                           "other programs (or choose fewer reports) and try again.");
    } catch (const AnalysisError& error) {
        setup_.showMessage(QString::fromStdString(error.what()));
    } catch (const std::exception& error) {
        setup_.showMessage(QString::fromStdString(error.what()));
    }
    return false;
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (CleanUp())
        event->accept();
    else
        event->ignore();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ReportListBox && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Backspace) {
        ReportListBoxKeyPress(Qt::Key_Backspace);
        return true;
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
