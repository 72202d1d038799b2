// The archive picker dialog.
#include "gui/archive_picker.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <chrono>

namespace analysis {
namespace {

QString savedAt(std::filesystem::file_time_type modified) {
    const auto system = std::chrono::file_clock::to_sys(modified);
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
    return QLocale().toString(QDateTime::fromSecsSinceEpoch(seconds), QLocale::ShortFormat);
}

} // namespace

QString archiveLoadNote() {
    return "Loading an archive replaces the day's analysis text (Analysis.TXT) and its reports "
           "with the archive's. Today's day comes back from its data file at the next start, or "
           "when the data file is opened again.";
}

ArchivePicker::ArchivePicker(const std::vector<ArchiveEntry>& archives, const QString& folder,
                             QWidget* parent)
    : QDialog(parent) {
    setObjectName("ArchivePicker");
    setWindowTitle("Load File");

    auto* note = new QLabel(archiveLoadNote(), this);
    note->setObjectName("ArchiveLoadNote");
    note->setWordWrap(true);

    list_ = new QTreeWidget(this);
    list_->setObjectName("ArchiveList");
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({"Archive", "Saved", "Size"});
    for (const ArchiveEntry& archive : archives) {
        auto* row = new QTreeWidgetItem(list_);
        row->setText(0, QString::fromStdString(archive.name));
        row->setText(1, savedAt(archive.modified));
        row->setText(2, QLocale().formattedDataSize(static_cast<qint64>(archive.bytes)));
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* listLabel = new QLabel(archives.empty() ? "&No archives saved yet in " + folder
                                                  : "&Archives in " + folder + ":",
                                 this);
    listLabel->setObjectName("ArchiveListLabel");
    listLabel->setWordWrap(true);
    listLabel->setBuddy(list_);

    name_ = new QLineEdit(this);
    name_->setObjectName("ArchiveName");
    auto* nameLabel = new QLabel("&Load Analysis.TXT from:", this);
    nameLabel->setBuddy(name_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText("&Load");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(listLabel);
    layout->addWidget(list_, 1);
    layout->addWidget(nameLabel);
    layout->addWidget(name_);
    layout->addWidget(buttons);

    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* row) {
        if (row != nullptr)
            name_->setText(row->text(0));
    });
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* row) {
        name_->setText(row->text(0));
        accept();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (list_->topLevelItemCount() > 0) {
        list_->setCurrentItem(list_->topLevelItem(0));
        list_->setFocus();
    } else {
        name_->setFocus();
    }
    resize(480, 360);
}

QString ArchivePicker::chosenName() const {
    return result() == QDialog::Accepted ? name_->text() : QString();
}

} // namespace analysis
