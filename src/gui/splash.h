// The window shown while the program gets the day ready.
#pragma once

#include <QWidget>

namespace analysis {

class TSplash : public QWidget {
    Q_OBJECT
public:
    explicit TSplash(QWidget* parent = nullptr);

    /// Says what start-up is waiting for, under the program's name.
    void setNote(const QString& note);
    /// Shows the splash and paints it at once, waiting (a second at most) for the window system
    /// to map it first: the day's preparation that follows holds the event loop for seconds,
    /// and a splash left to the loop stays a blank rectangle all that time.
    void showPainted();
};

} // namespace analysis
