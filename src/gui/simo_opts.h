// "SimoOpts": the schedule's lines per page and its 2-up format.
#pragma once

#include "core/schedule/schedule_layout.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <set>

class QCheckBox;
class QLabel;
class QSpinBox;

namespace analysis {

class UpDown;

/// Edits a copy of the schedule layout settings, keeping the optimum at most the maximum, and
/// whether races close to other tracks' are marked, within how many minutes. OK hands the copy
/// back to be stored; the close box drops it, but the 2-up box keeps the state the user left it
/// in, and the schedule print goes by that box until the next opening.
class TSimoOpts : public QDialog {
    Q_OBJECT
public:
    /// Shows stored at once (FormCreate). Key presses that no control takes go to showMessage;
    /// Escape closes the dialog as the close box does.
    TSimoOpts(const ScheduleLayoutOptions& stored, std::function<void(const QString&)> showMessage,
              QWidget* parent = nullptr);

    /// Shows stored and runs the dialog modally: the settings to store when the user pressed
    /// OK, nothing when the dialog was closed otherwise.
    std::optional<ScheduleLayoutOptions> edit(const ScheduleLayoutOptions& stored);

    /// The state of the 2-up box, which the schedule print reads.
    bool twoUpTicked() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void showSettings(const ScheduleLayoutOptions& settings);
    void OptimumLinesClick();
    void MaximumLinesClick();
    void x2Click();
    /// The close post times box and its minutes, which only count while the box is ticked.
    void markCloseClick();
    void closeMinutesChanged(int minutes);
    void OKClick();

    std::function<void(const QString&)> showMessage_;
    ScheduleLayoutOptions working_;
    /// The keys that went down in this dialog and are not up yet. A key whose press went to a
    /// message box (the Enter that dismisses it) is no key of the dialog's: its release alone
    /// must not raise a message, or every dismissal would raise the next box.
    std::set<int> keysDown_;

    UpDown* OptimumLines = nullptr;
    QLabel* OptimumPanel = nullptr;
    UpDown* MaximumLines = nullptr;
    QLabel* MaximumPanel = nullptr;
    QCheckBox* x2 = nullptr;
    QCheckBox* markClose = nullptr;
    QSpinBox* closeMinutes = nullptr;
};

} // namespace analysis
