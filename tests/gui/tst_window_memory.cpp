// The main window opens as it was closed: its size, place and the viewer's zoom, kept in the
// user's config, and never out of reach when the screens changed since.
#include "gui/main_form.h"
#include "gui/window_memory.h"
#include "window_fixture.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSettings>
#include <QtTest>

#include <memory>

using namespace analysis;
using analysis::testing::child;
using analysis::testing::DemoInstallation;

namespace {

/// The desktop the tests run on: two screens side by side, the second one taller.
constexpr const char* TwoScreens = R"({"screens": [
    {"name": "left", "x": 0, "y": 0, "width": 1600, "height": 1000, "logicalDpi": 96},
    {"name": "right", "x": 1600, "y": 0, "width": 1280, "height": 1024, "logicalDpi": 96}]})";

bool onSomeScreen(const QRect& geometry) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(geometry))
            return true;
    return false;
}

} // namespace

class TestWindowMemory : public QObject {
    Q_OBJECT

private:
    QStringList messages;
    std::unique_ptr<analysis::testing::PrivateHome> home;

private slots:
    void init() {
        messages.clear();
        home = std::make_unique<analysis::testing::PrivateHome>();
    }

    void placeOnScreens_data() {
        QTest::addColumn<QRect>("remembered");
        QTest::addColumn<QRect>("placed");
        QTest::newRow("wholly on a screen")
            << QRect(100, 50, 1000, 700) << QRect(100, 50, 1000, 700);
        QTest::newRow("across both screens")
            << QRect(1000, 50, 1200, 700) << QRect(1000, 50, 1200, 700);
        QTest::newRow("partly past the right edge")
            << QRect(2500, 600, 1000, 700) << QRect(1880, 324, 1000, 700);
        QTest::newRow("on a screen since unplugged")
            << QRect(3200, 100, 1000, 700) << QRect(600, 100, 1000, 700);
        QTest::newRow("above the desktop")
            << QRect(200, -900, 1000, 700) << QRect(200, 0, 1000, 700);
        QTest::newRow("larger than any screen")
            << QRect(-50, -50, 4000, 3000) << QRect(0, 0, 1600, 1000);
    }

    void placeOnScreens() {
        QFETCH(QRect, remembered);
        QFETCH(QRect, placed);
        const QList<QRect> screens{QRect(0, 0, 1600, 1000), QRect(1600, 0, 1280, 1024)};
        QCOMPARE(analysis::placeOnScreens(remembered, screens), placed);
    }

    void geometryAndZoomComeBackAtTheNextStart() {
        DemoInstallation installation(true);
        const QRect geometry(1700, 120, 1100, 760);
        int pixels = 0;
        {
            auto window = openWindow(installation, messages);
            QVERIFY(window);
            window->setGeometry(geometry);
            QTRY_COMPARE(window->geometry(), geometry);
            auto* memo = child<QPlainTextEdit>(window.get(), "MainMemo");
            QTest::keyClick(window.get(), Qt::Key_Plus, Qt::ControlModifier);
            QTest::keyClick(window.get(), Qt::Key_Plus, Qt::ControlModifier);
            pixels = memo->font().pixelSize();
            QVERIFY(window->close());
        }
        auto window = openWindow(installation, messages);
        QVERIFY(window);
        QCOMPARE(window->geometry(), geometry);
        QCOMPARE(child<QPlainTextEdit>(window.get(), "MainMemo")->font().pixelSize(), pixels);
        QVERIFY(window->close());
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join("\n")));
    }

    void aMaximizedWindowOpensMaximizedAndKeepsItsNormalSize() {
        DemoInstallation installation(true);
        const QRect geometry(150, 100, 1000, 700);
        {
            auto window = openWindow(installation, messages);
            QVERIFY(window);
            window->setGeometry(geometry);
            QTRY_COMPARE(window->geometry(), geometry);
            window->showMaximized();
            QTRY_VERIFY(window->isMaximized());
            QVERIFY(window->close());
        }
        auto window = openWindow(installation, messages);
        QVERIFY(window);
        QVERIFY(window->isMaximized());
        window->showNormal();
        QTRY_COMPARE(window->geometry(), geometry);
    }

    void aGeometryOffEveryScreenComesBackOnOne() {
        DemoInstallation installation(true);
        {
            QSettings settings;
            rememberWindow(settings, {QRect(6000, 4000, 1100, 700), false, 15});
        }
        auto window = openWindow(installation, messages);
        QVERIFY(window);
        QVERIFY2(onSomeScreen(window->geometry()), qPrintable(QString("%1,%2 %3x%4")
                                                                  .arg(window->x())
                                                                  .arg(window->y())
                                                                  .arg(window->width())
                                                                  .arg(window->height())));
        QCOMPARE(window->size(), QSize(1100, 700));
    }

    void aDamagedEntryOpensAsOnAFirstStart() {
        DemoInstallation installation(true);
        {
            QSettings settings;
            settings.setValue("window/geometry", "not a rectangle");
            settings.setValue("window/viewerPixels", 900);
        }
        auto window = openWindow(installation, messages);
        QVERIFY(window);
        QVERIFY(onSomeScreen(window->geometry()));
        QCOMPARE(child<QPlainTextEdit>(window.get(), "MainMemo")->font().pixelSize(), 13);
    }
};

int main(int argc, char* argv[]) {
    analysis::testing::TempDir config;
    const std::filesystem::path screens = config.write("screens.json", TwoScreens);
    qputenv("QT_QPA_PLATFORM",
            QByteArray("offscreen:configfile=") + QByteArray::fromStdString(screens.string()));
    QApplication app(argc, argv);
    TestWindowMemory test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window_memory.moc"
