// The hits of a search across the day.
#include "gui/find_in_day_form.h"

#include "gui/cp437_text.h"

#include <QCheckBox>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace analysis {
namespace {

enum Column { ReportColumn, TrackColumn, RaceColumn, LineColumn, TextColumn };

QString summaryOf(const DaySearch& search) {
    const QString text = textFromCp437(search.text);
    const std::size_t hits = search.hits.size();
    if (hits == 0)
        return QString("\"%1\" is in none of the day's reports").arg(text);
    std::size_t reports = 1;
    for (std::size_t i = 1; i < hits; ++i)
        if (search.hits[i].code != search.hits[i - 1].code)
            ++reports;
    if (search.moreHits)
        return QString("The first %1 hits of \"%2\", in %3 reports; there are more: a longer "
                       "text finds fewer")
            .arg(hits)
            .arg(text)
            .arg(reports);
    return QString("%1 %2 of \"%3\" in %4 %5")
        .arg(hits)
        .arg(hits == 1 ? "hit" : "hits")
        .arg(text)
        .arg(reports)
        .arg(reports == 1 ? "report" : "reports");
}

} // namespace

FindInDayForm::FindInDayForm(QWidget* parent) : QDialog(parent) {
    setObjectName("FindInDay");
    setWindowTitle("Find in the Day");
    setModal(false);
    resize(760, 320);

    summary_ = new QLabel(this);
    summary_->setObjectName("FindSummary");
    matchCase_ = new QCheckBox("Match &case", this);
    matchCase_->setObjectName("MatchCase");
    matchCase_->setToolTip("Find capitals and small letters exactly as typed");
    hitList_ = new QTreeWidget(this);
    hitList_->setObjectName("HitList");
    hitList_->setHeaderLabels({"Report", "Track", "Race", "Line", "Text"});
    hitList_->setRootIsDecorated(false);
    hitList_->setUniformRowHeights(true);
    hitList_->setAllColumnsShowFocus(true);
    hitList_->setSelectionMode(QAbstractItemView::SingleSelection);
    hitList_->header()->setStretchLastSection(true);
    QFont terminal("Terminal");
    terminal.setStyleHint(QFont::TypeWriter);
    terminal.setPixelSize(13);
    hitList_->setFont(terminal);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(matchCase_);
    layout->addWidget(hitList_, 1);

    connect(matchCase_, &QCheckBox::clicked, this, &FindInDayForm::matchCaseChosen);
    // Moving through the rows with the keys shows each hit, as a click does; a click on the row
    // already current shows it again (the viewer may have moved on).
    connect(hitList_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr)
            emit hitChosen(hitList_->indexOfTopLevelItem(item));
    });
    connect(hitList_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { emit hitChosen(hitList_->indexOfTopLevelItem(item)); });
}

void FindInDayForm::render(const Day& day) {
    QSignalBlocker quiet(hitList_);
    if (day.search != shownSearch_) {
        fill(day.search.get());
        shownSearch_ = day.search;
        shownHit_ = -1;
    }
    if (day.currentHit != shownHit_) {
        QTreeWidgetItem* item =
            day.currentHit >= 0 ? hitList_->topLevelItem(day.currentHit) : nullptr;
        hitList_->setCurrentItem(item);
        if (item != nullptr)
            hitList_->scrollToItem(item);
        shownHit_ = day.currentHit;
    }
}

void FindInDayForm::fill(const DaySearch* search) {
    hitList_->clear();
    if (search == nullptr) {
        summary_->clear();
        return;
    }
    matchCase_->setChecked(search->caseSensitive);
    summary_->setText(summaryOf(*search));
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(search->hits.size()));
    for (const ReportHit& hit : search->hits) {
        auto* row = new QTreeWidgetItem;
        const QString code = textFromCp437(hit.code);
        row->setText(ReportColumn, code);
        row->setText(TrackColumn, code.mid(3, 3));
        row->setText(RaceColumn, hit.race > 0 ? QString::number(hit.race) : QString());
        row->setText(LineColumn, QString::number(hit.line));
        row->setTextAlignment(RaceColumn, Qt::AlignRight);
        row->setTextAlignment(LineColumn, Qt::AlignRight);
        row->setText(TextColumn, textFromCp437(hit.lineText));
        rows.push_back(row);
    }
    hitList_->addTopLevelItems(rows);
    for (int column = ReportColumn; column < TextColumn; ++column)
        hitList_->resizeColumnToContents(column);
}

} // namespace analysis
