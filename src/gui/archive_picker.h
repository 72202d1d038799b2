// The dialog that offers the saved archives for Load, and takes a typed name as well.
#pragma once

#include "core/installation/archive_catalog.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QTreeWidget;

namespace analysis {

/// Lists archives with the date each was saved and its size; a click puts a name in the name
/// box, a double click (or Enter) loads it. The name box also takes a typed name, listed or not,
/// which the caller checks. The note above the list says what a load does to the day.
class ArchivePicker : public QDialog {
    Q_OBJECT
public:
    ArchivePicker(const std::vector<ArchiveEntry>& archives, const QString& folder,
                  QWidget* parent = nullptr);

    /// The name chosen or typed; empty when the dialog was cancelled.
    QString chosenName() const;

private:
    QTreeWidget* list_ = nullptr;
    QLineEdit* name_ = nullptr;
};

/// The text Load shows before anything is replaced: what the load does to the day's text.
QString archiveLoadNote();

} // namespace analysis
