// One running instance per user: a later start hands over to the running one
// through a local socket and ends. On Unix the guard stands in each of the
// user's private folders it can use, so that starts meet whether or not
// their environment names the session's folder.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QLocalServer;
class QLockFile;

namespace selenara {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The bytes a later start sends to the running instance.
    static const QByteArray ActivationMessage;

    // Executable name without extension in upper case, on Unix "-" and the
    // user id (which, unlike $USER, the environment cannot change); only
    // [A-Za-z0-9_-] (anything else becomes '_'). Needs a QCoreApplication.
    static QString DefaultName();

    // The folders that hold the locks and the sockets, ones that only this
    // user can reach. Unix: $XDG_RUNTIME_DIR where it is set, and
    // <temp>/selenara-<uid> (made with mode 0700), which every start finds
    // whatever its environment; each only if it is a folder, not a link,
    // owned by this user with mode 0700. Windows: Selenara in the user's
    // local application data.
    // Empty, with a warning, when there is none such.
    static QStringList PrivateFolders();
    // The first of them, where ListeningOn names the socket; empty if none.
    static QString PrivateFolder();

    // In each folder the socket is folder/name (on Windows a pipe with a
    // random part in its name), the lock folder/name.lock.
    explicit SingleInstance(QString name = DefaultName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    const QString& Name() const { return name_; }
    // Where this instance listens as the primary in its first folder: the
    // socket's path, or on Windows the pipe's; empty while it does not.
    QString ListeningOn() const;

    // False: another instance answered in any of the folders and was asked
    // to come forward; the caller ends (status 0, no settings written).
    // True: none answered and this one now serves the name in every folder.
    // Of starts at the same moment that share a folder exactly one becomes
    // the primary. True also when the guard cannot be set up, private
    // folder included (with a warning): running unguarded beats not running.
    bool TryBecomePrimary();

signals:
    // A later start sent exactly ActivationMessage.
    void activationRequested();

private:
    // Where the primary listens in a folder; empty if none can be named.
    // Only the holder of the folder's lock may make a new one.
    QString ServerName(const QString& folder, bool make) const;
    // Asks a running instance to come forward; false if none answered.
    bool HandOver() const;
    // Takes the folder's lock, waiting a while for another start that holds
    // it to listen and take the call instead.
    enum class Locking { Locked, HandedOver, Unguarded };
    Locking Lock(const QString& folder);
    // Serves the name in a folder whose lock it holds.
    void Listen(const QString& folder, QLockFile& lock);
    void AcceptConnections(QLocalServer* server);

    QString name_;
    QStringList folders_;
    std::vector<std::unique_ptr<QLockFile>> locks_;
    std::vector<QLocalServer*> servers_;
};

}  // namespace selenara
