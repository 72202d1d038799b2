// The channel a second start reaches the open window by: what it hands over arrives whole, and a
// closing window answers no more.
#include "gui/instance_channel.h"

#include <QSignalSpy>
#include <QtTest>

#include <future>

using namespace analysis;

class TestInstanceChannel : public QObject {
    Q_OBJECT

private:
    /// Hands file over from another thread, as a second process would, while this thread's event
    /// loop lets the server answer.
    static HandOverReply handOverWhileServing(const QString& name, const QString& file) {
        std::future<HandOverReply> reply =
            std::async(std::launch::async, [name, file] { return handOver(name, file, 5000); });
        while (reply.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
            QCoreApplication::processEvents();
        return reply.get();
    }

    QString name = instanceChannelName(
        QDir::temp()
            .filePath(QString("tst_instance_channel-%1").arg(QCoreApplication::applicationPid()))
            .toStdString());

private slots:
    void theNameIsTheInstallationsWhateverPathLeadsToIt() {
        QTemporaryDir folder;
        const std::filesystem::path path = folder.path().toStdString();
        QCOMPARE(instanceChannelName(path / "a" / ".." / "b"), instanceChannelName(path / "b"));
        QVERIFY(instanceChannelName(path / "a") != instanceChannelName(path / "b"));
    }

    void aFileHandedOverArrivesWhole_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("plain") << "/home/u/Downloads/Analysis.DAT";
        QTest::newRow("blanks and letters beyond ASCII") << "/home/u/Téléchargements/race day.DAT";
        QTest::newRow("a line break in the name") << "/home/u/odd\nname.DAT";
    }

    void aFileHandedOverArrivesWhole() {
        QFETCH(QString, file);
        InstanceServer server(name);
        QVERIFY(server.listen());
        QSignalSpy handed(&server, &InstanceServer::fileHanded);
        QCOMPARE(handOverWhileServing(name, file), HandOverReply::Taken);
        QCOMPARE(handed.size(), 1);
        QCOMPARE(handed.front().front().toString(), file);
    }

    void aStartWithoutAFileLearnsTheWindowRuns() {
        InstanceServer server(name);
        QVERIFY(server.listen());
        QSignalSpy handed(&server, &InstanceServer::fileHanded);
        QCOMPARE(handOverWhileServing(name, {}), HandOverReply::Running);
        QVERIFY(handed.isEmpty());
    }

    void aClosingWindowAnswersNoMoreAndListensAgainWhenItStays() {
        InstanceServer server(name);
        QVERIFY(server.listen());
        server.stopListening();
        QCOMPARE(handOverWhileServing(name, "/tmp/x.DAT"), HandOverReply::NoAnswer);
        QVERIFY(server.listen());
        QCOMPARE(handOverWhileServing(name, {}), HandOverReply::Running);
    }

    void aChannelLeftByAKilledWindowIsTakenOver() {
        {
            // A server file left behind, as a killed window leaves it.
            InstanceServer killed(name);
            QVERIFY(killed.listen());
        }
        QFile leftover(QDir::temp().filePath(name));
        if (!leftover.exists())
            QVERIFY(leftover.open(QIODevice::WriteOnly));
        InstanceServer server(name);
        QVERIFY(server.listen());
        QCOMPARE(handOverWhileServing(name, {}), HandOverReply::Running);
    }
};

QTEST_GUILESS_MAIN(TestInstanceChannel)
#include "tst_instance_channel.moc"
