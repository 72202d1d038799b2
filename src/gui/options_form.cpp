// "Options": the report kinds, track groups and performance lines the report list offers.
#include "gui/options_form.h"

#include "gui/up_down.h"

#include "core/document/track_groups.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace analysis {
namespace {

constexpr int FewestLines = 1;
constexpr int MostLines = 14;

/// The items of ReportOptions, in the order of their letters.
struct ReportKindItem {
    char letter;
    const char* caption;
};
constexpr std::array<ReportKindItem, 4> ReportKindItems = {{
    {'A', "(A)  Analysis-A"},
    {'X', "(X)  Main Track"},
    {'E', "(E)  Performances"},
    {'B', "(B)  Analysis-B"},
}};

QListWidget* makeCheckList(const char* name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

void addCheckItem(QListWidget* list, const QString& text, bool ticked) {
    auto* item = new QListWidgetItem(text, list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

bool isTicked(const QListWidget* list, int row) {
    return list->item(row)->checkState() == Qt::Checked;
}

void tickAll(QListWidget* list, bool ticked) {
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

} // namespace

TOptionsForm::TOptionsForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TOptionsForm");
    setWindowTitle("Options");

    TrackOptions = makeCheckList("TrackOptions", this);
    // The group rows line their track codes up in columns only in a fixed-pitch font.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    TrackOptions->setFont(fixed);
    const int rowHeight = QFontMetrics(fixed).height() + 4;
    TrackOptions->setMinimumSize(QFontMetrics(fixed).horizontalAdvance(QString(30, 'W')),
                                 25 * rowHeight + 2 * TrackOptions->frameWidth());
    CheckAllTracks = new QPushButton("Chec&k All", this);
    CheckAllTracks->setObjectName("CheckAllTracks");
    ClearAllTracks = new QPushButton("Clea&r All", this);
    ClearAllTracks->setObjectName("ClearAllTracks");

    ReportOptions = makeCheckList("ReportOptions", this);
    for (const ReportKindItem& kind : ReportKindItems)
        addCheckItem(ReportOptions, kind.caption, false);
    ReportOptions->setFixedHeight(static_cast<int>(ReportKindItems.size()) *
                                      (ReportOptions->sizeHintForRow(0) + 2) +
                                  2 * ReportOptions->frameWidth());

    emaxlabel = new QLabel("Maximum performance lines =  ", this);
    emaxlabel->setObjectName("emaxlabel");
    emaxpanel = new QLabel(this);
    emaxpanel->setObjectName("emaxpanel");
    emaxpanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    emaxpanel->setAlignment(Qt::AlignCenter);
    emaxpanel->setMinimumWidth(32);
    emaxupdown = new UpDown(FewestLines, MostLines, 1, false, this);
    emaxupdown->setObjectName("emaxupdown");
    emaxupdown->setFixedSize(20, 28);
    OptionsOk = new QPushButton("OK", this);
    OptionsOk->setObjectName("OptionsOk");
    OptionsOk->setDefault(true);

    auto* trackButtons = new QHBoxLayout;
    trackButtons->addWidget(CheckAllTracks);
    trackButtons->addWidget(ClearAllTracks);
    auto* tracks = new QVBoxLayout;
    tracks->addWidget(TrackOptions);
    tracks->addLayout(trackButtons);

    auto* emax = new QHBoxLayout;
    emax->addWidget(emaxlabel);
    emax->addWidget(emaxpanel);
    emax->addWidget(emaxupdown);
    auto* side = new QVBoxLayout;
    side->addWidget(ReportOptions);
    side->addLayout(emax);
    side->addStretch();
    side->addWidget(OptionsOk);

    auto* whole = new QHBoxLayout(this);
    whole->addLayout(tracks);
    whole->addLayout(side);

    connect(CheckAllTracks, &QPushButton::clicked, this, &TOptionsForm::CheckAllTracksClick);
    connect(ClearAllTracks, &QPushButton::clicked, this, &TOptionsForm::ClearAllTracksClick);
    connect(emaxupdown, &UpDown::clicked, this, &TOptionsForm::emaxupdownClick);
    connect(OptionsOk, &QPushButton::clicked, this, &TOptionsForm::OptionsOkClick);
}

std::optional<ListSettings> TOptionsForm::exchange(const ListSettings& current) {
    fill(current);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return chosen();
}

void TOptionsForm::fill(const ListSettings& current) {
    for (int row = 0; row < ReportOptions->count(); ++row) {
        char letter = ReportKindItems[static_cast<std::size_t>(row)].letter;
        bool offered = current.ReportKinds.find(letter) != std::string::npos;
        ReportOptions->item(row)->setCheckState(offered ? Qt::Checked : Qt::Unchecked);
    }
    TrackOptions->clear();
    for (std::string_view row : TrackGroupTable()) {
        bool selected = current.TrackGroups.find(row[1]) != std::string::npos;
        addCheckItem(TrackOptions,
                     QString::fromLatin1(row.data(), static_cast<qsizetype>(row.size())), selected);
    }
    openingEmaxLines_ = std::clamp(current.EmaxLines, FewestLines, MostLines);
    emaxupdown->setPosition(openingEmaxLines_);
    emaxpanel->setText(QString::number(emaxupdown->position()));
}

ListSettings TOptionsForm::chosen() const {
    ListSettings settings;
    for (int row = 0; row < ReportOptions->count(); ++row)
        if (isTicked(ReportOptions, row))
            settings.ReportKinds += ReportKindItems[static_cast<std::size_t>(row)].letter;
    auto rows = TrackGroupTable();
    for (int row = 0; row < TrackOptions->count(); ++row)
        if (isTicked(TrackOptions, row))
            settings.TrackGroups += rows[static_cast<std::size_t>(row)][1];
    settings.EmaxLines = emaxupdown->position();
    settings.RecutEReports = settings.EmaxLines != openingEmaxLines_;
    return settings;
}

void TOptionsForm::CheckAllTracksClick() {
    tickAll(TrackOptions, true);
}

void TOptionsForm::ClearAllTracksClick() {
    tickAll(TrackOptions, false);
}

void TOptionsForm::emaxupdownClick() {
    emaxpanel->setText(QString::number(emaxupdown->position()));
    emit emaxLinesChanged(emaxupdown->position());
}

void TOptionsForm::OptionsOkClick() {
    accept();
}

} // namespace analysis
