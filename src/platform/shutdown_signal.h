// Turns the desktop session's request to end (SIGTERM, SIGHUP) into a Qt signal, so the program
// can close its window the orderly way instead of dying with the day's files left split.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace analysis {

class ShutdownSignal : public QObject {
    Q_OBJECT
public:
    /// Installs the handlers for SIGTERM and SIGHUP; one instance per process.
    explicit ShutdownSignal(QObject* parent = nullptr);
    ~ShutdownSignal() override;

signals:
    void received();

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace analysis
