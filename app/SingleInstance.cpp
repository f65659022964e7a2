#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QTimer>

#include <memory>
#include <utility>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace selenara {
namespace {

constexpr int ConnectTimeoutMs = 500;
// How long a start waits for the server of a start that holds the lock.
constexpr int StartWaitMs = 3000;
constexpr int RetryMs = 20;
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

SingleInstance::~SingleInstance() {
    // The server's socket goes before the lock, or a start just after could
    // lose its new socket to our clean-up.
    delete server_;
}

bool SingleInstance::HandOver() const {
    QLocalSocket client;
    client.connectToServer(name_);
    if (!client.waitForConnected(ConnectTimeoutMs)) return false;
    client.write(ActivationMessage);
    client.waitForBytesWritten(ConnectTimeoutMs);
    client.disconnectFromServer();
    if (client.state() != QLocalSocket::UnconnectedState) client.waitForDisconnected(ConnectTimeoutMs);
    return true;
}

bool SingleInstance::TryBecomePrimary() {
    if (server_) return true;
    if (HandOver()) return false;

    // Starts that race each other: the one holding the lock serves the
    // name, the others wait for its server. A crashed holder's lock is
    // stale by its process id, whatever its age.
    lock_ = std::make_unique<QLockFile>(QDir::tempPath() + u'/' + name_ + QStringLiteral(".lock"));
    lock_->setStaleLockTime(0);
    QElapsedTimer waited;
    waited.start();
    while (!lock_->tryLock(0)) {
        if (lock_->error() != QLockFile::LockFailedError) {
            qWarning("SingleInstance: cannot lock %ls", qUtf16Printable(lock_->fileName()));
            return true;  // running unguarded beats not running
        }
        if (HandOver()) return false;
        // A holder that never listens (it could not) leaves this start unguarded too.
        if (waited.elapsed() > StartWaitMs) return true;
        QThread::msleep(RetryMs);
    }

    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnections);
    // Holding the lock, a socket file still there is a crashed instance's.
    QLocalServer::removeServer(name_);
    if (!server_->listen(name_)) {
        qWarning("SingleInstance: cannot listen on %ls: %ls", qUtf16Printable(name_),
                 qUtf16Printable(server_->errorString()));
        lock_->unlock();  // nobody can be handed over to, so nobody waits
    }
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
