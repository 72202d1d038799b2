// The start-up splash window.
#include "gui/splash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace analysis {

TSplash::TSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen) {
    setObjectName("Splash");
    setWindowTitle("    initializing...");
    setFixedSize(384, 262);
    setStyleSheet("background: white;");
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel("Quillmarsh ANALYSIS\n\n    initializing...", this);
    title->setObjectName("SplashTitle");
    title->setAlignment(Qt::AlignCenter);
    QFont font = title->font();
    font.setPixelSize(20);
    font.setBold(true);
    title->setFont(font);
    layout->addWidget(title);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TSplash::setNote(const QString& note) {
    if (auto* title = findChild<QLabel*>("SplashTitle"))
        title->setText("Quillmarsh ANALYSIS\n\n    " + note);
}

} // namespace analysis
