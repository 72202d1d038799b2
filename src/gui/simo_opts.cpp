// The schedule layout dialog.
#include "gui/simo_opts.h"

#include "gui/up_down.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace analysis {
namespace {

constexpr int FewestLines = 32;
constexpr int MostLines = 64;
constexpr int LinesStep = 4;

QLabel* makePanel(const char* name, QWidget* parent) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignCenter);
    panel->setMinimumWidth(48);
    return panel;
}

UpDown* makeUpDown(const char* name, QWidget* parent) {
    auto* upDown = new UpDown(FewestLines, MostLines, LinesStep, false, parent);
    upDown->setObjectName(name);
    upDown->setFixedSize(24, 32);
    return upDown;
}

QLabel* makeLabel(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

TSimoOpts::TSimoOpts(const ScheduleLayoutOptions& stored,
                     std::function<void(const QString&)> showMessage, QWidget* parent)
    : QDialog(parent), showMessage_(std::move(showMessage)) {
    setObjectName("SimoOpts");
    setWindowTitle("SimoOpts");

    OptimumLines = makeUpDown("OptimumLines", this);
    OptimumPanel = makePanel("OptimumPanel", this);
    MaximumLines = makeUpDown("MaximumLines", this);
    MaximumPanel = makePanel("MaximumPanel", this);
    x2 = new QCheckBox("Use 2-up format if it fits on a single page", this);
    x2->setObjectName("x2");
    markClose = new QCheckBox("Mark races within", this);
    markClose->setObjectName("markClose");
    markClose->setToolTip("Mark each race that goes off within the minutes of a race at another "
                          "ticked track, with the gap and the nearest such track");
    closeMinutes = new QSpinBox(this);
    closeMinutes->setObjectName("closeMinutes");
    closeMinutes->setRange(FewestCloseMinutes, MostCloseMinutes);
    auto* closeRow = new QHBoxLayout;
    closeRow->addWidget(markClose);
    closeRow->addWidget(closeMinutes);
    closeRow->addWidget(makeLabel("minutes at other tracks", "closeMinutesLabel", this));
    closeRow->addStretch();
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OK");

    auto* layout = new QGridLayout(this);
    layout->addWidget(makeLabel("OPTIMUM lines per page", "OPTIMUMlabel", this), 0, 0);
    layout->addWidget(OptimumPanel, 0, 1);
    layout->addWidget(OptimumLines, 0, 2);
    layout->addWidget(makeLabel("MAXIMUM lines per page", "MAXIMUMlabel", this), 1, 0);
    layout->addWidget(MaximumPanel, 1, 1);
    layout->addWidget(MaximumLines, 1, 2);
    layout->addWidget(x2, 2, 0, 1, 3);
    layout->addLayout(closeRow, 3, 0, 1, 3);
    layout->addWidget(ok, 4, 0, 1, 3, Qt::AlignCenter);

    connect(OptimumLines, &UpDown::clicked, this, &TSimoOpts::OptimumLinesClick);
    connect(MaximumLines, &UpDown::clicked, this, &TSimoOpts::MaximumLinesClick);
    connect(x2, &QCheckBox::clicked, this, &TSimoOpts::x2Click);
    connect(markClose, &QCheckBox::clicked, this, &TSimoOpts::markCloseClick);
    connect(closeMinutes, &QSpinBox::valueChanged, this, &TSimoOpts::closeMinutesChanged);
    connect(ok, &QPushButton::clicked, this, &TSimoOpts::OKClick);

    showSettings(stored);
}

std::optional<ScheduleLayoutOptions> TSimoOpts::edit(const ScheduleLayoutOptions& stored) {
    showSettings(stored);
    // A key held when the dialog last closed was let go elsewhere.
    keysDown_.clear();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return working_;
}

bool TSimoOpts::twoUpTicked() const {
    return x2->isChecked();
}

void TSimoOpts::showSettings(const ScheduleLayoutOptions& settings) {
    working_ = settings;
    OptimumLines->setPosition(settings.SimoOptimumLines);
    OptimumPanel->setNum(settings.SimoOptimumLines);
    MaximumLines->setPosition(settings.SimoMaximumLines);
    MaximumPanel->setNum(settings.SimoMaximumLines);
    x2->setChecked(settings.SimoTwoUp);
    markClose->setChecked(settings.markClosePosts);
    {
        QSignalBlocker quiet(closeMinutes);
        closeMinutes->setValue(settings.closeMinutes);
    }
    closeMinutes->setEnabled(settings.markClosePosts);
}

void TSimoOpts::OptimumLinesClick() {
    working_ = withOptimumLines(working_, OptimumLines->position());
    OptimumPanel->setNum(working_.SimoOptimumLines);
    MaximumLines->setPosition(working_.SimoMaximumLines);
    MaximumPanel->setNum(working_.SimoMaximumLines);
}

void TSimoOpts::MaximumLinesClick() {
    working_ = withMaximumLines(working_, MaximumLines->position());
    MaximumPanel->setNum(working_.SimoMaximumLines);
    OptimumLines->setPosition(working_.SimoOptimumLines);
    OptimumPanel->setNum(working_.SimoOptimumLines);
}

void TSimoOpts::x2Click() {
    working_.SimoTwoUp = x2->isChecked();
}

void TSimoOpts::markCloseClick() {
    working_.markClosePosts = markClose->isChecked();
    closeMinutes->setEnabled(working_.markClosePosts);
}

void TSimoOpts::closeMinutesChanged(int minutes) {
    working_.closeMinutes = minutes;
}

void TSimoOpts::OKClick() {
    accept();
}

// Only keys that no control takes arrive here. Every key that goes down is reported, and one
// that types a character is reported once more as a key press; its release is reported only
// when its press was this dialog's. Escape leaves the dialog without a word, as the close box.
void TSimoOpts::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (event->key() == Qt::Key_Escape) {
        keysDown_.clear();
        reject();
        return;
    }
    if (!event->isAutoRepeat())
        keysDown_.insert(event->key());
    showMessage_("KEYDOWN");
    if (!event->text().isEmpty())
        showMessage_("KEYPRESS");
}

void TSimoOpts::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    if (event->isAutoRepeat() || keysDown_.erase(event->key()) == 0)
        return;
    showMessage_("KEYUP");
}

} // namespace analysis
