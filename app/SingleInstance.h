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

    explicit SingleInstance(QString name = DefaultName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    const QString& Name() const { return name_; }

    // False: another instance answered and was asked to come forward; the
    // caller ends (status 0, no settings written). True: none answered and
    // this one now serves the name. Of starts at the same moment exactly one
    // becomes the primary. True also when the guard cannot be set up (with a
    // warning): running unguarded beats not running.
    bool TryBecomePrimary();

signals:
    // A later start sent exactly ActivationMessage.
    void activationRequested();

private:
    // Asks a running instance to come forward; false if none answered.
    bool HandOver() const;
    void AcceptConnections();

    QString name_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

}  // namespace selenara
