// Two real copies of the program: the second one waits, says so and ends without a window, or
// hands its data file to the first; a start during a close waits for it; the session ending
// closes the first one the orderly way.
#include "window_fixture.h"

#include "core/common/file_io.h"
#include "core/installation/install_lock.h"
#include "support/temp_dir.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using analysis::testing::DemoInstallation;

namespace {

constexpr std::uint16_t OtherRaceDay = 19000;
const char* const OneInstance = "Whoa!  Only one instance of Analysis.EXE at a time.";

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

private:
    QProcessEnvironment environmentFor(const DemoInstallation& installation,
                                       const QString& runtimeFolder = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        QString profile = QString::fromStdString(installation.profile().path().string());
        environment.insert("USERPROFILE", profile);
        environment.insert("HOME", profile);
        environment.insert("XDG_RUNTIME_DIR", runtimeFolder.isEmpty() ? profile : runtimeFolder);
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        return environment;
    }

    static QStringList filesIn(const std::filesystem::path& folder) {
        QStringList names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.is_regular_file())
                names << QString::fromStdString(entry.path().filename().string());
        names.sort();
        return names;
    }

    /// Waits until the window on installation has its day split: the folder stops changing.
    static QStringList waitForSplitDay(const DemoInstallation& installation) {
        const auto folder = installation.folders().InstallFolder;
        [&] { QTRY_VERIFY_WITH_TIMEOUT(filesIn(folder).size() > 3, 20000); }();
        QStringList splitDay;
        for (QStringList now = filesIn(folder); now != splitDay; now = filesIn(folder)) {
            splitDay = now;
            QTest::qWait(500);
        }
        return splitDay;
    }

    /// Ends the window the way the desktop session does, and returns the analysis text it left.
    static std::string closeAndReadText(QProcess& window, const DemoInstallation& installation) {
        ::kill(static_cast<pid_t>(window.processId()), SIGTERM);
        if (!window.waitForFinished(15000) || window.exitCode() != 0)
            return "the window did not close cleanly";
        return analysis::readFile(installation.folders().file(analysis::files::AnalysisText));
    }

private slots:
    void secondCopyWaitsAboutTwoSecondsAndEnds() {
        DemoInstallation installation(true);
        QProcess first;
        first.setProcessEnvironment(environmentFor(installation));
        first.start(ANALYSIS_BINARY, {});
        QVERIFY(first.waitForStarted());
        // The first copy is up once its start-up has split the day into report files.
        auto settings = installation.folders().file(analysis::files::Settings);
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(settings), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(filesIn(installation.folders().InstallFolder).size() > 2, 20000);

        QProcess second;
        second.setProcessEnvironment(environmentFor(installation));
        QElapsedTimer clock;
        clock.start();
        second.start(ANALYSIS_BINARY, {});
        QVERIFY(second.waitForFinished(15000));
        qint64 waited = clock.elapsed();
        QVERIFY2(waited >= 1900, qPrintable(QString::number(waited)));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QVERIFY(second.readAllStandardError().contains(
            "Whoa!  Only one instance of Analysis.EXE at a time."));
        QVERIFY(first.state() == QProcess::Running);

        // SIGTERM from the desktop session: the window closes the orderly way and the report
        // files go back into the analysis text.
        QVERIFY(filesIn(installation.folders().InstallFolder).size() > 2);
        ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(15000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(filesIn(installation.folders().InstallFolder),
                 QStringList({"Analysis.TXT", "SimoDump.LST"}));
    }

    void copiesWithDifferentRuntimeFoldersStillMeetOneLock() {
        // A desktop session and an ssh shell on the same profile: each has its own runtime
        // folder, and still only one of them may have the day split.
        DemoInstallation installation(true);
        QTemporaryDir desktopRuntime, shellRuntime;
        QProcess first;
        first.setProcessEnvironment(environmentFor(installation, desktopRuntime.path()));
        first.start(ANALYSIS_BINARY, {});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(filesIn(installation.folders().InstallFolder).size() > 3, 20000);
        // The split is done once the folder stops changing.
        QStringList splitDay;
        for (QStringList now = filesIn(installation.folders().InstallFolder); now != splitDay;
             now = filesIn(installation.folders().InstallFolder)) {
            splitDay = now;
            QTest::qWait(500);
        }

        QProcess second;
        second.setProcessEnvironment(environmentFor(installation, shellRuntime.path()));
        QElapsedTimer clock;
        clock.start();
        second.start(ANALYSIS_BINARY, {});
        QVERIFY(second.waitForFinished(15000));
        QVERIFY2(clock.elapsed() >= 1900, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(second.readAllStandardError().contains(
            "Whoa!  Only one instance of Analysis.EXE at a time."));
        QCOMPARE(filesIn(installation.folders().InstallFolder), splitDay);

        ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(15000));
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(filesIn(installation.folders().InstallFolder),
                 QStringList({"Analysis.TXT", "SimoDump.LST"}));
    }

    void aSecondStartWithAFileHandsItToTheWindow() {
        DemoInstallation installation(true);
        analysis::testing::TempDir elsewhere;
        const std::string otherDay = analysis::testing::otherDayDataFile(OtherRaceDay);
        const auto source = elsewhere.write("today.dat", otherDay);
        QProcess first;
        first.setProcessEnvironment(environmentFor(installation));
        first.start(ANALYSIS_BINARY, {});
        QVERIFY(first.waitForStarted());
        waitForSplitDay(installation);

        QProcess second;
        second.setProcessEnvironment(environmentFor(installation));
        QElapsedTimer clock;
        clock.start();
        second.start(ANALYSIS_BINARY, {QString::fromStdString(source.string())});
        QVERIFY(second.waitForFinished(15000));
        // Handed over at once, without the wait of a turned-away start.
        QVERIFY2(clock.elapsed() < 1900, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(!second.readAllStandardError().contains(OneInstance));

        const auto dataFile = installation.folders().file(analysis::files::DataFile);
        QTRY_VERIFY_WITH_TIMEOUT(analysis::readFile(dataFile) == otherDay, 15000);
        const QString track = analysis::testing::otherDayTracks().front();
        const auto report = installation.folders().file("A01" + track.toStdString());
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(report), 15000);
        QCOMPARE(first.state(), QProcess::Running);

        const std::string text = closeAndReadText(first, installation);
        QVERIFY2(text.find("@A01" + track.toStdString()) != std::string::npos, text.c_str());
        QVERIFY(text.find("@A01Aqu") == std::string::npos);
    }

    void aFileOnTheCommandLineOpensAtStart() {
        DemoInstallation installation(true);
        analysis::testing::TempDir elsewhere;
        const std::string otherDay = analysis::testing::otherDayDataFile(OtherRaceDay);
        elsewhere.write("day/today.dat", otherDay);
        QProcess window;
        window.setProcessEnvironment(environmentFor(installation));
        // A path relative to the folder the program is started in, as a file manager passes.
        window.setWorkingDirectory(QString::fromStdString(elsewhere.path().string()));
        window.start(ANALYSIS_BINARY, {"day/today.dat"});
        QVERIFY(window.waitForStarted());
        const QString track = analysis::testing::otherDayTracks().front();
        const auto report = installation.folders().file("A01" + track.toStdString());
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(report), 20000);
        QCOMPARE(analysis::readFile(installation.folders().file(analysis::files::DataFile)),
                 otherDay);
        const std::string text = closeAndReadText(window, installation);
        QVERIFY(text.find("@A01" + track.toStdString()) != std::string::npos);
    }

    void aStartDuringACloseWaitsForItAndOpens() {
        DemoInstallation installation(true);
        // The test holds the installation as a closing window does: locked, and no longer
        // answering starts.
        auto closing =
            std::make_unique<analysis::InstallLock>(installation.folders().InstallFolder);
        QCOMPARE(closing->acquire(0), analysis::InstallLock::Result::Acquired);

        QProcess next;
        next.setProcessEnvironment(environmentFor(installation));
        next.start(ANALYSIS_BINARY, {});
        QVERIFY(next.waitForStarted());
        QTest::qWait(4000);
        QCOMPARE(next.state(), QProcess::Running);
        const auto settings = installation.folders().file(analysis::files::Settings);
        QVERIFY(!std::filesystem::exists(settings));

        closing.reset();
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(settings), 20000);
        waitForSplitDay(installation);
        const std::string text = closeAndReadText(next, installation);
        QVERIFY(text.find("@A01Aqu") != std::string::npos);
        QVERIFY(!next.readAllStandardError().contains(OneInstance));
    }

    void theMomentsAUserWaitsForAreToldWhenAsked() {
        DemoInstallation installation(true);
        QProcess window;
        QProcessEnvironment environment = environmentFor(installation);
        environment.insert("ANALYSIS_TIMING", "1");
        window.setProcessEnvironment(environment);
        window.start(ANALYSIS_BINARY, {});
        QVERIFY(window.waitForStarted());
        QByteArray told;
        QTRY_VERIFY_WITH_TIMEOUT((told += window.readAllStandardError()).contains("files-written"),
                                 20000);
        ::kill(static_cast<pid_t>(window.processId()), SIGTERM);
        QVERIFY(window.waitForFinished(15000));
        told += window.readAllStandardError();

        QStringList moments;
        const QRegularExpression line("^timing ([a-z-]+) (\\d+)$");
        for (const QByteArray& each : told.split('\n'))
            if (const QRegularExpressionMatch match = line.match(QString::fromUtf8(each));
                match.hasMatch())
                moments << match.captured(1);
        // The files may be written before or after the first report is painted; the close ends.
        QVERIFY(!moments.isEmpty() && moments.last() == "closed");
        moments.sort();
        QCOMPARE(moments, QStringList({"closed", "files-written", "first-report-shown"}));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
