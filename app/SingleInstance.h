// One running instance per user: a later start hands over to the running one
// through a local socket and ends.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

namespace selenara {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The bytes a later start sends to the running instance.
    static const QByteArray ActivationMessage;

    // Executable name without extension in upper case, "-", the user name;
    // only [A-Za-z0-9_-] (anything else becomes '_'). Needs a QCoreApplication.
    static QString DefaultName();

    // The folder that holds the lock and the socket, one that only this user
    // can reach. Unix: $XDG_RUNTIME_DIR, else <temp>/selenara-<uid> (made with
    // mode 0700); either only if it is a folder, not a link, owned by this
    // user with mode 0700. Windows: Selenara in the user's local application
    // data.
    // Empty, with a warning, when there is none such.
    static QString PrivateFolder();

    // The socket is PrivateFolder()/name (on Windows a pipe with a random
    // part in its name), the lock PrivateFolder()/name.lock.
    explicit SingleInstance(QString name = DefaultName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    const QString& Name() const { return name_; }
    // Where this instance listens as the primary: the socket's path, or on
    // Windows the pipe's; empty while it does not.
    QString ListeningOn() const;

    // False: another instance answered and was asked to come forward; the
    // caller ends (status 0, no settings written). True: none answered and
    // this one now serves the name. Of starts at the same moment exactly one
    // becomes the primary. True also when the guard cannot be set up, private
    // folder included (with a warning): running unguarded beats not running.
    bool TryBecomePrimary();

signals:
    // A later start sent exactly ActivationMessage.
    void activationRequested();

private:
    // Where the primary listens; empty if none can be named. Only the holder
    // of the lock may make a new one.
    QString ServerName(bool make) const;
    // Asks a running instance to come forward; false if none answered.
    bool HandOver() const;
    void AcceptConnections();

    QString name_;
    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

}  // namespace selenara
