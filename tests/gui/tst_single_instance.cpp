// Two real copies of the program: the second one waits, says so and ends without a window;
// the session ending closes the first one the orderly way.
#include "window_fixture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using analysis::testing::DemoInstallation;

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
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
