// "Find in the Day": the hits of a search across the day's reports, each a click away.
#pragma once

#include "core/day/day.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QTreeWidget;

namespace analysis {

/// Lists the hits of the Day's search, one row each (report, track, race, line, the line's
/// text), with the current hit's row selected. It only shows the Day: choosing a row, or
/// the case box, is said by a signal for the session to act on.
class FindInDayForm : public QDialog {
    Q_OBJECT
public:
    explicit FindInDayForm(QWidget* parent = nullptr);

    /// Shows the Day's search and its current hit; the rows are filled again only for a new
    /// search.
    void render(const Day& day);

signals:
    /// The user chose the row of hit index (a click, the arrow keys, Enter).
    void hitChosen(int index);
    /// The user ticked or cleared "Match case": the same text is to be sought again so.
    void matchCaseChosen(bool caseSensitive);

private:
    void fill(const DaySearch* search);

    QLabel* summary_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QTreeWidget* hitList_ = nullptr;
    /// What the rows show now, so render touches only what changed.
    std::shared_ptr<const DaySearch> shownSearch_;
    int shownHit_ = -1;
};

} // namespace analysis
