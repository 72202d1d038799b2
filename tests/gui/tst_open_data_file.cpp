// Where the window's day comes from: the installation offered on a first start, and a day's data
// file opened from anywhere through the menu or a drop.
#include "gui/main_form.h"
#include "window_fixture.h"

#include "core/common/file_io.h"
#include "core/document/decoder.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

#include <memory>

using namespace analysis;
using analysis::testing::child;
using analysis::testing::DemoInstallation;

namespace {

namespace fs = std::filesystem;

constexpr std::uint16_t OtherRaceDay = 19000;

std::string otherDayFile() {
    return analysis::testing::otherDayDataFile(OtherRaceDay);
}

QStringList listed(TMainForm* window) {
    QStringList items;
    auto* list = child<QListWidget>(window, "ReportListBox");
    for (int row = 0; row < list->count(); ++row)
        if (!list->item(row)->text().isEmpty())
            items << list->item(row)->text();
    return items;
}

QString raceDate(TMainForm* window) {
    return child<QLabel>(window, "RaceDate")->text();
}

} // namespace

class TestOpenDataFile : public QObject {
    Q_OBJECT

private:
    QStringList messages;
    std::unique_ptr<analysis::testing::PrivateHome> home;

    /// The window on installation, with answers to its questions given by the test.
    std::unique_ptr<TMainForm> open(const DemoInstallation& installation, bool sayYes,
                                    QString* offered = nullptr) {
        MainFormSetup setup = installation.windowSetup(messages);
        setup.askSetup = [sayYes, offered](const QString& offer) {
            if (offered != nullptr)
                *offered = offer;
            return sayYes;
        };
        return std::make_unique<TMainForm>(std::move(setup));
    }

private slots:
    void init() {
        messages.clear();
        home = std::make_unique<analysis::testing::PrivateHome>();
    }

    void firstStartOffersTheInstallation_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }

    void firstStartOffersTheInstallation() {
        QFETCH(bool, yes);
        DemoInstallation installation(false);
        const fs::path installFolder = installation.folders().InstallFolder;
        fs::remove_all(installFolder.parent_path());
        bool made = false;
        QString offer;
        MainFormSetup setup = installation.windowSetup(messages);
        setup.askSetup = [yes, &offer](const QString& text) {
            offer = text;
            return yes;
        };
        setup.installationMade = [&made] { made = true; };
        TMainForm window(std::move(setup));

        QVERIFY2(offer.contains(QString::fromStdString(installFolder.string())), qPrintable(offer));
        QCOMPARE(made, yes);
        QCOMPARE(messages.size(), 1);
        if (yes) {
            for (const char* folder : {"Exec", "Data", "Help", "Archive"})
                QVERIFY2(fs::is_directory(installFolder / folder), folder);
            // Where the day's file goes, and how to open one from elsewhere.
            const auto dataFile = installation.folders().file(files::DataFile);
            QVERIFY2(messages[0].contains(QString::fromStdString(dataFile.string())),
                     qPrintable(messages[0]));
            QVERIFY2(messages[0].contains("Open Data File"), qPrintable(messages[0]));
            // Start-up went on into the new installation.
            QVERIFY(fileExists(installation.folders().file(files::Settings)));
        } else {
            QVERIFY(!fs::exists(installFolder.parent_path()));
            QVERIFY2(messages[0].contains("analysis-tool setup"), qPrintable(messages[0]));
            QVERIFY(window.close());
            QVERIFY(!fs::exists(installFolder.parent_path()));
        }
    }

    void anInstallationIsNotOfferedAgain() {
        DemoInstallation installation(true);
        QString offer;
        auto window = open(installation, false, &offer);
        QVERIFY(offer.isEmpty());
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QVERIFY(!listed(window.get()).isEmpty());
    }

    void openDataFileReplacesTheDay() {
        DemoInstallation installation(true);
        analysis::testing::TempDir elsewhere;
        const fs::path source = elsewhere.write("Downloads/race day.DAT", otherDayFile());
        QString asked;
        MainFormSetup setup = installation.windowSetup(messages);
        setup.askOpenFile = [&asked, &source](const QString& caption, const QString&) {
            asked = caption;
            return QString::fromStdString(source.string());
        };
        TMainForm window(std::move(setup));
        const QStringList demoDay = listed(&window);
        QVERIFY(!demoDay.isEmpty());
        QCOMPARE(child<QAction>(&window, "OpenDataFileMenu")->shortcut(),
                 QKeySequence(QKeySequence::Open));

        child<QAction>(&window, "OpenDataFileMenu")->trigger();

        QCOMPARE(asked, QString("Open Data File"));
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QCOMPARE(raceDate(&window), QString::fromStdString(RaceDateText(OtherRaceDay)));
        const QStringList otherDay = listed(&window);
        QVERIFY(!otherDay.isEmpty());
        for (const QString& item : otherDay)
            QVERIFY2(analysis::testing::otherDayTracks().contains(item.mid(3, 3)),
                     qPrintable(item));
        QCOMPARE(readFile(installation.folders().file(files::DataFile)), otherDayFile());
        // The demo day was joined back before the new one was decoded: none of its files is left.
        for (const QString& item : demoDay)
            QVERIFY2(!fs::exists(installation.folders().file(item.toStdString())),
                     qPrintable(item));
    }

    void aFileThatIsNoDayIsRefusedAndTheDayKept() {
        DemoInstallation installation(true);
        analysis::testing::TempDir elsewhere;
        const fs::path source = elsewhere.write("notes.txt", std::string(20000, 'x'));
        MainFormSetup setup = installation.windowSetup(messages);
        setup.askOpenFile = [&source](const QString&, const QString&) {
            return QString::fromStdString(source.string());
        };
        TMainForm window(std::move(setup));
        const QStringList before = listed(&window);
        const QString date = raceDate(&window);
        const std::string dataFile = readFile(installation.folders().file(files::DataFile));

        child<QAction>(&window, "OpenDataFileMenu")->trigger();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("not a day's data file"), qPrintable(messages[0]));
        QCOMPARE(listed(&window), before);
        QCOMPARE(raceDate(&window), date);
        QCOMPARE(readFile(installation.folders().file(files::DataFile)), dataFile);
        QVERIFY(analysis::testing::reportFilesWritten(window));
        for (const QString& item : before)
            QVERIFY(fileExists(installation.folders().file(item.toStdString())));
    }

    void aDroppedDataFileOpens() {
        DemoInstallation installation(true);
        analysis::testing::TempDir elsewhere;
        const fs::path source = elsewhere.write("today.dat", otherDayFile());
        auto window = open(installation, true);

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(source.string()))});
        QDragEnterEvent enter(QPoint(400, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
        enter.ignore();
        QApplication::sendEvent(window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(400, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window.get(), &drop);

        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QCOMPARE(raceDate(window.get()), QString::fromStdString(RaceDateText(OtherRaceDay)));
        QCOMPARE(readFile(installation.folders().file(files::DataFile)), otherDayFile());
    }

    void aDragOfSeveralFilesOrOfTextIsNotTaken() {
        DemoInstallation installation(true);
        auto window = open(installation, true);
        QMimeData text;
        text.setText("E01Aqu");
        QMimeData twoFiles;
        twoFiles.setUrls({QUrl::fromLocalFile("/tmp/a.DAT"), QUrl::fromLocalFile("/tmp/b.DAT")});
        for (QMimeData* data : {&text, &twoFiles}) {
            QDragEnterEvent enter(QPoint(400, 200), Qt::CopyAction, data, Qt::LeftButton, {});
            enter.ignore();
            QApplication::sendEvent(window.get(), &enter);
            QVERIFY(!enter.isAccepted());
        }
    }
};

QTEST_MAIN(TestOpenDataFile)
#include "tst_open_data_file.moc"
