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
};

} // namespace analysis
