// "Options": the report kinds, track groups and performance lines the report list offers.
#pragma once

#include "core/document/report_list.h"

#include <QDialog>

#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

namespace analysis {

class UpDown;

class TOptionsForm : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsForm(QWidget* parent = nullptr);

    /// Shows current and lets the user change it. After OK: the chosen settings, with
    /// RecutEReports set exactly when the performance lines differ from current's. After the
    /// close box: nothing (a move of the performance lines has been announced all the same).
    std::optional<ListSettings> exchange(const ListSettings& current);

signals:
    /// The performance lines were stepped; the limit takes effect at once, before OK.
    void emaxLinesChanged(int lines);

private:
    void fill(const ListSettings& current);
    ListSettings chosen() const;

    void CheckAllTracksClick();
    void ClearAllTracksClick();
    void emaxupdownClick();
    void OptionsOkClick();

    QListWidget* TrackOptions = nullptr;
    QListWidget* ReportOptions = nullptr;
    QPushButton* CheckAllTracks = nullptr;
    QPushButton* ClearAllTracks = nullptr;
    QLabel* emaxlabel = nullptr;
    UpDown* emaxupdown = nullptr;
    QLabel* emaxpanel = nullptr;
    QPushButton* OptionsOk = nullptr;
    /// The limit shown when the dialog opened: only a change of it re-cuts the E reports.
    int openingEmaxLines_ = 7;
};

} // namespace analysis
