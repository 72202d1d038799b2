// How a second start reaches the window already open on the installation: it hands over the
// data file it was given, or learns that the window is there (or closing).
#pragma once

#include <QObject>
#include <QString>

#include <filesystem>

class QLocalServer;
class QLocalSocket;

namespace analysis {

/// The channel's name for an install folder: one per user and installation, whatever path the
/// folder was reached by.
QString instanceChannelName(const std::filesystem::path& installFolder);

/// The running window's end of the channel. It listens while the window is open; a close stops
/// it, so a start during the close waits for the installation instead of being turned away.
/// One line per connection: "OPEN <absolute path in base64>" is answered "OK" and handed on as
/// fileHanded; "HELLO" is answered "RUNNING".
class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(QString name, QObject* parent = nullptr);
    ~InstanceServer() override;

    /// Starts listening; a channel left behind by a copy that was killed is taken over (the
    /// caller holds the installation, so no live window can own it). False when it cannot
    /// listen: a second start is then told the window is closing, and waits for it.
    bool listen();
    /// Stops listening and answers "CLOSING" to every start still waiting for an answer.
    void stopListening();

signals:
    void fileHanded(const QString& path);

private:
    void answer(QLocalSocket* socket);

    QString name_;
    QLocalServer* server_ = nullptr;
};

/// What the window open on the installation said to a second start.
enum class HandOverReply {
    Taken,    ///< it takes the file handed over
    Running,  ///< it is open (nothing was handed over)
    NoAnswer, ///< nobody listens, or the window is closing
};

/// Hands file (an absolute path; empty for none) to the window listening on channel name. A
/// window still getting its day ready answers once it is up, so an answer is awaited up to
/// answerTimeoutMs.
HandOverReply handOver(const QString& name, const QString& file, int answerTimeoutMs);

} // namespace analysis
