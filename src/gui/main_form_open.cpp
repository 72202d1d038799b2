// Where the day comes from: the installation made on a first start, and a day's data file
// opened from anywhere (the menu, a drop on the window, a second start handing its file over).
#include "gui/main_form.h"

#include "core/day/data_file_open.h"
#include "core/installation/install_setup.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QUrl>

namespace analysis {
namespace {

/// The one local file a drag carries; empty when it carries anything else.
QString droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().front();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

void TMainForm::createOpenActions(QMenu* menu) {
    if (!setup_.askOpenFile)
        setup_.askOpenFile = [this](const QString& caption, const QString& folder) {
            return QFileDialog::getOpenFileName(this, caption, folder,
                                                "Data files (*.DAT *.dat);;All files (*)");
        };
    if (!setup_.askSetup)
        setup_.askSetup = [this](const QString& offer) {
            return QMessageBox::question(this, "Analysis", offer) == QMessageBox::Yes;
        };
    auto* open = new QAction("Open Data &File...", menu);
    open->setObjectName("OpenDataFileMenu");
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, &TMainForm::openDataFileClick);
    menu->insertAction(menu->actions().value(0), open);
    menu->insertSeparator(menu->actions().value(1));
    // The shortcut works with the menu closed.
    addAction(open);

    setAcceptDrops(true);
    // A file dropped on the viewer is a day to open, not text to paste.
    MainMemo->setAcceptDrops(false);
}

void TMainForm::openDataFileClick() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    const QString path = setup_.askOpenFile("Open Data File", folder);
    if (!path.isEmpty())
        openDataFile(path);
}

void TMainForm::openDataFile(const QString& path) {
    guarded([this, &path] {
        DataFileOpen opened = session_.openDataFile(QFile::encodeName(path).toStdString());
        render();
        for (const std::string& notice : opened.notices)
            setup_.showWarning(QString::fromStdString(notice));
        if (opened.status == DataFileOpen::Status::Opened)
            say("Opened the day of " + path);
        else
            setup_.showWarning(QString::fromStdString(opened.message));
    });
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openDataFile(path);
}

bool TMainForm::offerInstallation() {
    if (!lacksInstallation(setup_.folders))
        return true;
    const InstallationPlan plan = planInstallation(setup_.folders);
    const QString offer = QString::fromStdString(installationOffer(plan)) + "\n\nSet it up now?";
    if (setup_.sessionEnding() || !setup_.askSetup(offer)) {
        setup_.showMessage("Nothing was made, so there is no day to open. Analysis keeps its "
                           "files in " +
                           QString::fromStdString(setup_.folders.InstallFolder.string()) +
                           "; start it again to set it up there, or run \"analysis-tool "
                           "setup\".");
        return false;
    }
    if (!guarded([&plan] { makeInstallation(plan); }))
        return false;
    if (setup_.installationMade)
        setup_.installationMade();
    setup_.showMessage(QString::fromStdString(dataFileHint(setup_.folders)));
    return true;
}

} // namespace analysis
