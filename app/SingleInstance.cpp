#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <memory>
#include <utility>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace selenara {
namespace {

constexpr int ConnectTimeoutMs = 500;
// A client that neither finishes nor leaves is dropped after this.
constexpr int IdleTimeoutMs = 5000;

QString Sanitized(QString s) {
    for (QChar& c : s) {
        const bool ok = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
                        (c >= u'0' && c <= u'9') || c == u'_' || c == u'-';
        if (!ok) c = u'_';
    }
    return s;
}

QString UserName() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
#ifdef Q_OS_UNIX
    if (user.isEmpty()) user = QString::number(::getuid());
#endif
    if (user.isEmpty()) user = QStringLiteral("user");
    return user;
}

// What one connection has sent so far.
struct Incoming {
    QByteArray bytes;
    bool rejected = false;
};

}  // namespace

const QByteArray SingleInstance::ActivationMessage = QByteArrayLiteral("SELENARA-ACTIVATE\n");

QString SingleInstance::DefaultName() {
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return Sanitized(exe.toUpper() + u'-' + UserName());
}

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::TryBecomePrimary() {
    if (server_) return true;

    QLocalSocket client;
    client.connectToServer(name_);
    if (client.waitForConnected(ConnectTimeoutMs)) {
        client.write(ActivationMessage);
        client.waitForBytesWritten(ConnectTimeoutMs);
        client.disconnectFromServer();
        if (client.state() != QLocalSocket::UnconnectedState)
            client.waitForDisconnected(ConnectTimeoutMs);
        return false;
    }

    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnections);
    bool listening = server_->listen(name_);
    // Nobody answered, so a socket file still there is a crashed instance's.
    if (!listening && server_->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(name_);
        listening = server_->listen(name_);
    }
    if (!listening)
        qWarning("SingleInstance: cannot listen on %ls: %ls", qUtf16Printable(name_),
                 qUtf16Printable(server_->errorString()));
    return true;
}

void SingleInstance::AcceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        auto in = std::make_shared<Incoming>();
        const auto reject = [socket, in] {
            in->rejected = true;
            socket->abort();
            socket->deleteLater();
        };
        // Reads at most one byte past the message, and gives up at the first
        // byte that cannot belong to it.
        const auto read = [socket, in, reject] {
            if (in->rejected) return;
            in->bytes += socket->read(ActivationMessage.size() + 1 - in->bytes.size());
            if (!ActivationMessage.startsWith(in->bytes)) reject();
        };
        connect(socket, &QLocalSocket::readyRead, socket, read);
        // Only a complete message followed by the client leaving counts.
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, in, read] {
            read();
            if (!in->rejected && in->bytes == ActivationMessage) emit activationRequested();
            in->rejected = true;
            socket->deleteLater();
        });
        QTimer::singleShot(IdleTimeoutMs, socket, reject);
    }
}

}  // namespace selenara
