// The channel between a second start and the window open on the same installation.
#include "gui/instance_channel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace analysis {
namespace {

constexpr int ConnectTimeoutMs = 1000;

QByteArray readLine(QLocalSocket& socket, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!socket.canReadLine()) {
        const int left = timeoutMs - static_cast<int>(clock.elapsed());
        if (left <= 0 || !socket.waitForReadyRead(left))
            return {};
    }
    return socket.readLine().trimmed();
}

} // namespace

QString instanceChannelName(const std::filesystem::path& installFolder) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::weakly_canonical(installFolder, error);
    if (error)
        folder = installFolder.lexically_normal();
    const QByteArray digest = QCryptographicHash::hash(QByteArray::fromStdString(folder.string()),
                                                       QCryptographicHash::Sha256)
                                  .toHex()
                                  .left(24);
    return QString("Analysis-%1-%2").arg(::getuid()).arg(QString::fromLatin1(digest));
}

InstanceServer::InstanceServer(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::listen() {
    if (server_ != nullptr && server_->isListening())
        return true;
    delete server_;
    server_ = new QLocalServer(this);
    // Only this user's starts may hand the window a file.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            answer(socket);
        }
    });
    if (server_->listen(name_))
        return true;
    QLocalServer::removeServer(name_);
    return server_->listen(name_);
}

void InstanceServer::stopListening() {
    if (server_ == nullptr)
        return;
    server_->close();
    for (QLocalSocket* socket : server_->findChildren<QLocalSocket*>()) {
        socket->write("CLOSING\n");
        socket->flush();
        socket->disconnectFromServer();
    }
}

void InstanceServer::answer(QLocalSocket* socket) {
    if (!socket->canReadLine())
        return;
    const QByteArray line = socket->readLine().trimmed();
    if (line.startsWith("OPEN ")) {
        const QString path = QString::fromUtf8(QByteArray::fromBase64(line.mid(5)));
        socket->write("OK\n");
        socket->flush();
        emit fileHanded(path);
    } else {
        socket->write("RUNNING\n");
        socket->flush();
    }
    socket->disconnectFromServer();
}

HandOverReply handOver(const QString& name, const QString& file, int answerTimeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return HandOverReply::NoAnswer;
    // In base64, so no byte of a file name can end the line early.
    socket.write(file.isEmpty() ? QByteArray("HELLO\n")
                                : "OPEN " + file.toUtf8().toBase64() + "\n");
    socket.flush();
    const QByteArray reply = readLine(socket, answerTimeoutMs);
    if (reply == "OK")
        return HandOverReply::Taken;
    if (reply == "RUNNING")
        return HandOverReply::Running;
    return HandOverReply::NoAnswer;
}

} // namespace analysis
