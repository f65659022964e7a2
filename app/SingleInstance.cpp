#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <utility>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
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

#ifdef Q_OS_UNIX
// A folder, not a link to one (a link in a shared folder can be pointed
// elsewhere later), of this user alone.
bool IsPrivateFolder(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & 0777) == 0700;
}
#endif

#ifdef Q_OS_WIN
constexpr int KeyChars = 32;

bool IsKey(const QByteArray& key) {
    return key.size() == KeyChars && std::all_of(key.begin(), key.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}
#endif

// What one connection has sent so far.
struct Incoming {
    QByteArray bytes;
    bool rejected = false;
};

}  // namespace

const QByteArray SingleInstance::ActivationMessage = QByteArrayLiteral("SELENARA-ACTIVATE\n");

QString SingleInstance::DefaultName() {
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toUpper();
#ifdef Q_OS_UNIX
    return Sanitized(exe + u'-' + QString::number(::geteuid()));
#else
    // The folder and the pipe's key are the user's own already.
    return Sanitized(exe);
#endif
}

QStringList SingleInstance::PrivateFolders() {
#if defined(Q_OS_WIN)
    // Inside the user's profile, which other users cannot enter. Not named
    // by the application as set, so that all starts of a name meet.
    const QString local = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QString folder = local + QStringLiteral("/Selenara");
    if (!local.isEmpty() && QDir().mkpath(folder)) return {folder};
    qWarning("SingleInstance: no local application data folder; running without the one-instance "
             "guard, so a second start opens a second window");
    return {};
#elif defined(Q_OS_UNIX)
    QStringList folders;
    // The session's own folder, where the system gives one.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && IsPrivateFolder(QDir::cleanPath(runtime)))
        folders << QDir::cleanPath(runtime);
    // And one of our own in the temporary folder, which a start without the
    // session's folder in its environment finds too: local, and short enough
    // for a socket's path (at most 107 bytes), which a home folder on a
    // network share or deep down need not be. Named by the uid, which the
    // environment cannot change. mkdir() makes nothing where anything is
    // already, and what is there, made by whoever, must pass the same check.
    const QString temp = QDir::tempPath();  // empty if $TMPDIR names no folder
    QString own = temp + QStringLiteral("/selenara-") + QString::number(::geteuid());
    if (!temp.isEmpty()) {
        ::mkdir(QFile::encodeName(own).constData(), 0700);
        if (IsPrivateFolder(own)) folders << own;
    }
    if (folders.isEmpty())
        qWarning("SingleInstance: %ls is not a folder of this user's alone (a folder, not a link, owned "
                 "by uid %u, mode 0700); running without the one-instance guard, so a second start "
                 "opens a second window",
                 qUtf16Printable(own), static_cast<unsigned>(::geteuid()));
    return folders;
#else
    qWarning("SingleInstance: no private folder on this system; running without the one-instance guard");
    return {};
#endif
}

QString SingleInstance::PrivateFolder() {
    const QStringList folders = PrivateFolders();
    return folders.isEmpty() ? QString() : folders.front();
}

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

SingleInstance::~SingleInstance() {
    // The servers' sockets go before the locks, or a start just after could
    // lose its new socket to our clean-up.
    for (QLocalServer* server : servers_) delete server;
}

QString SingleInstance::ListeningOn() const {
    return !servers_.empty() && servers_.front()->isListening() ? servers_.front()->fullServerName() : QString();
}

QString SingleInstance::ServerName(const QString& folder, bool make) const {
#ifdef Q_OS_WIN
    // Pipe names are one namespace for all users, and a name of known parts
    // (program, user name, even the user's SID) can be taken first by another
    // user, who would then hear every start and keep it from running. A
    // random part, kept in the user's own folder, cannot be guessed.
    QFile keyFile(folder + u'/' + name_ + QStringLiteral(".key"));
    QByteArray key;
    if (make) {
        for (int i = 0; i < KeyChars / 8; ++i)
            key += QByteArray::number(QRandomGenerator::system()->generate(), 16).rightJustified(8, '0');
        if (!keyFile.open(QIODevice::WriteOnly | QIODevice::Truncate) || keyFile.write(key) != key.size() ||
            !keyFile.flush())
            return {};
    } else if (keyFile.open(QIODevice::ReadOnly)) {
        key = keyFile.read(KeyChars + 1);
    }
    // A key read while being written is none: the start tries again.
    return IsKey(key) ? name_ + u'-' + QString::fromLatin1(key) : QString();
#else
    Q_UNUSED(make)
    return folder + u'/' + name_;
#endif
}

bool SingleInstance::HandOver() const {
    for (const QString& folder : folders_) {
        const QString server = ServerName(folder, false);
        if (server.isEmpty()) continue;
        QLocalSocket client;
        client.connectToServer(server);
        if (!client.waitForConnected(ConnectTimeoutMs)) continue;
        client.write(ActivationMessage);
        client.waitForBytesWritten(ConnectTimeoutMs);
        client.disconnectFromServer();
        if (client.state() != QLocalSocket::UnconnectedState) client.waitForDisconnected(ConnectTimeoutMs);
        return true;
    }
    return false;
}

bool SingleInstance::TryBecomePrimary() {
    if (!servers_.empty()) return true;
    // Nothing in a shared folder is trusted: there another user could listen
    // in our place, or plant what keeps us from locking and listening.
    folders_ = PrivateFolders();
    if (folders_.isEmpty()) return true;  // warned; running unguarded beats not running
    if (HandOver()) return false;
    // The locks in the same order for every start, so that starts racing
    // each other cannot each hold one the other waits for.
    for (const QString& folder : folders_) {
        switch (Lock(folder)) {
            case Locking::Locked: break;
            case Locking::HandedOver: return false;
            case Locking::Unguarded: return true;  // running unguarded beats not running
        }
    }
    for (qsizetype i = 0; i < folders_.size(); ++i) Listen(folders_[i], *locks_[static_cast<std::size_t>(i)]);
    return true;
}

SingleInstance::Locking SingleInstance::Lock(const QString& folder) {
    // Starts that race each other: the one holding the lock serves the
    // name, the others wait for its server. A crashed holder's lock is
    // stale by its process id, whatever its age.
    auto lock = std::make_unique<QLockFile>(folder + u'/' + name_ + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);
    QElapsedTimer waited;
    waited.start();
    while (!lock->tryLock(0)) {
        if (lock->error() != QLockFile::LockFailedError) {
            qWarning("SingleInstance: cannot lock %ls", qUtf16Printable(lock->fileName()));
            return Locking::Unguarded;
        }
        if (HandOver()) return Locking::HandedOver;
        // A holder that never listens (it could not) leaves this start unguarded too.
        if (waited.elapsed() > StartWaitMs) return Locking::Unguarded;
        QThread::msleep(RetryMs);
    }
    locks_.push_back(std::move(lock));
    return Locking::Locked;
}

void SingleInstance::Listen(const QString& folder, QLockFile& lock) {
    auto* server = new QLocalServer(this);
    servers_.push_back(server);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server, &QLocalServer::newConnection, this, [this, server] { AcceptConnections(server); });
    const QString name = ServerName(folder, true);
    // Holding the lock, a socket file still there is a crashed instance's.
    if (!name.isEmpty()) QLocalServer::removeServer(name);
    if (name.isEmpty() || !server->listen(name)) {
        qWarning("SingleInstance: cannot listen as %ls in %ls: %ls", qUtf16Printable(name_),
                 qUtf16Printable(folder), qUtf16Printable(server->errorString()));
        lock.unlock();  // nobody can be handed over to here, so nobody waits
    }
}

void SingleInstance::AcceptConnections(QLocalServer* server) {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
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
