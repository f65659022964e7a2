#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <thread>
#include <utility>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#endif
#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#endif

void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace selenara {
namespace {

constexpr int WaitMs = 30000;

QString UniqueName() {
    return QStringLiteral("selenara-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

// Where the guard of name listens.
QString SocketPath(const QString& name) { return SingleInstance::PrivateFolder() + u'/' + name; }

#ifdef Q_OS_UNIX
// Where it must not: the temporary folder that all users share.
QString SharedPath(const QString& name) { return QDir::tempPath() + u'/' + name; }
#endif

// Under Wine a guard does not hear a start made in its own process (starts
// from other processes it hears): those tests run on Windows itself.
bool UnderWine() {
#ifdef Q_OS_WIN
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
#else
    return false;
#endif
}
constexpr const char* InProcessUnderWine = "a start in the guard's own process, under Wine";

// Sets a variable, or unsets it given a null value, for the scope.
class ScopedEnv {
public:
    ScopedEnv(const char* var, const QByteArray& value)
        : var_(var), old_(qgetenv(var)), wasSet_(qEnvironmentVariableIsSet(var)) {
        Set(value.isNull() ? std::nullopt : std::optional(value));
    }
    ~ScopedEnv() { Set(wasSet_ ? std::optional(old_) : std::nullopt); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void Set(const std::optional<QByteArray>& value) const {
        if (value) qputenv(var_, *value);
        else qunsetenv(var_);
    }
    const char* var_;
    QByteArray old_;
    bool wasSet_;
};

// The warnings given while it lives.
class Warnings {
public:
    Warnings() : previous_(qInstallMessageHandler(&Collect)) { Given().clear(); }
    ~Warnings() { qInstallMessageHandler(previous_); }
    Warnings(const Warnings&) = delete;
    Warnings& operator=(const Warnings&) = delete;
    static QStringList& Given() {
        static QStringList given;
        return given;
    }

private:
    static void Collect(QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtWarningMsg) Given() << message;
    }
    QtMessageHandler previous_;
};

#ifdef Q_OS_UNIX
constexpr uid_t Nobody = 65534;

// For a child process: become the machine's other user.
bool BecomeNobody() {
    return ::setgroups(0, nullptr) == 0 && ::setgid(Nobody) == 0 && ::setuid(Nobody) == 0;
}

// A stream socket and the address of path; the socket is -1 if path is too long.
std::pair<int, sockaddr_un> SocketFor(const QByteArray& path) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (static_cast<size_t>(path.size()) >= sizeof(addr.sun_path)) return {-1, addr};
    std::memcpy(addr.sun_path, path.constData(), static_cast<size_t>(path.size()));
    return {::socket(AF_UNIX, SOCK_STREAM, 0), addr};
}

// A socket bound to path, -1 if it cannot be.
int Bound(const QByteArray& path) {
    auto [fd, addr] = SocketFor(path);
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) return fd;
    if (fd >= 0) ::close(fd);
    return -1;
}

// A blocking client socket on path, -1 if it cannot connect.
int ConnectRaw(const QByteArray& path) {
    auto [fd, addr] = SocketFor(path);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) return fd;
    if (fd >= 0) ::close(fd);
    return -1;
}

// The folder path made with mode and given to owner; path again.
QString MakeFolder(const QString& path, mode_t mode, uid_t owner = ::geteuid()) {
    const QByteArray p = QFile::encodeName(path);
    EXPECT_EQ(::mkdir(p.constData(), 0700), 0);
    EXPECT_EQ(::chmod(p.constData(), mode), 0);  // past the umask
    if (owner != ::geteuid()) {
        EXPECT_EQ(::chown(p.constData(), owner, owner), 0);
    }
    return path;
}

// Everything below folder, links not followed.
QStringList Contents(const QString& folder) {
    QStringList all;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) all << it.next();
    all.sort();
    return all;
}
#endif

// Connects as a client to the primary and sends bytes. Then either leaves,
// or stays and returns whether the server hung up (waiting in the event
// loop, since the server runs in this thread).
bool Send(const SingleInstance& primary, const QByteArray& bytes, bool stay = false) {
    QLocalSocket s;
    s.connectToServer(primary.ListeningOn());
    if (!s.waitForConnected(WaitMs)) return false;
    QSignalSpy hungUp(&s, &QLocalSocket::disconnected);
    if (!bytes.isEmpty()) {
        s.write(bytes);
        s.waitForBytesWritten(WaitMs);
    }
    if (stay) return hungUp.wait(WaitMs);
    s.disconnectFromServer();
    return true;
}

// Waits until the signal has come and every connection the guard accepted
// is judged and gone, so the count is final.
bool Settled(const SingleInstance& guard, const QSignalSpy& spy) {
    return QTest::qWaitFor(
        [&] { return spy.count() > 0 && guard.findChildren<QLocalSocket*>().isEmpty(); }, WaitMs);
}

TEST(SingleInstanceTest, SecondInstanceHandsOverToTheFirst) {
    if (UnderWine()) GTEST_SKIP() << InProcessUnderWine;
    const QString name = UniqueName();
    SingleInstance first(name);
    QSignalSpy spy(&first, &SingleInstance::activationRequested);
    ASSERT_TRUE(first.TryBecomePrimary());
#ifdef Q_OS_UNIX
    // In the private folder, where only the same user may connect.
    EXPECT_EQ(first.ListeningOn(), SocketPath(name));
    const auto perms = QFile::permissions(SocketPath(name));
    EXPECT_TRUE(perms & QFile::WriteOwner);
    EXPECT_FALSE(perms & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther));
#elif defined(Q_OS_WIN)
    // Pipe names are shared by all users: the name carries a random key that
    // only this user's folder holds, new at every start.
    QFile keyFile(SocketPath(name) + QStringLiteral(".key"));
    ASSERT_TRUE(keyFile.open(QIODevice::ReadOnly));
    const QString key = QString::fromLatin1(keyFile.readAll());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9a-f]{32}$")).match(key).hasMatch()) << key.toStdString();
    EXPECT_EQ(first.ListeningOn(), QStringLiteral("\\\\.\\pipe\\") + name + u'-' + key);
#endif

    SingleInstance second(name);
    EXPECT_FALSE(second.TryBecomePrimary());
    ASSERT_TRUE(Settled(first, spy));
    EXPECT_EQ(spy.count(), 1);
}

TEST(SingleInstanceTest, OnlyTheExactMessageActivates) {
    if (UnderWine()) GTEST_SKIP() << InProcessUnderWine;
    const QString name = UniqueName();
    SingleInstance primary(name);
    QSignalSpy spy(&primary, &SingleInstance::activationRequested);
    ASSERT_TRUE(primary.TryBecomePrimary());

    // Bytes that cannot start the message, and the message with more after
    // it, make the server hang up on a client that stays.
    EXPECT_TRUE(Send(primary, "HELLO\n", true));
    EXPECT_TRUE(Send(primary, SingleInstance::ActivationMessage + "X", true));
    EXPECT_TRUE(Send(primary, QByteArray(4096, 'S'), true));
    // Silence, half a message, or the message without its newline, then leaving.
    EXPECT_TRUE(Send(primary, {}));
    EXPECT_TRUE(Send(primary, "SELENARA-"));
    EXPECT_TRUE(Send(primary, SingleInstance::ActivationMessage.chopped(1)));
    EXPECT_EQ(spy.count(), 0);

    // Connections are accepted in order: once this one has activated, all
    // the earlier ones were accepted too.
    ASSERT_TRUE(Send(primary, SingleInstance::ActivationMessage));
    ASSERT_TRUE(Settled(primary, spy));
    EXPECT_EQ(spy.count(), 1);
}

TEST(SingleInstanceTest, LeftoverSocketFileDoesNotBlockTheNextStart) {
    if (UnderWine()) GTEST_SKIP() << InProcessUnderWine;
    struct Case {
        const char* what;
        void (*make)(const QString& path);
    };
    const Case cases[] = {
        {"plain file",
         [](const QString& path) {
             QFile f(path);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
         }},
#ifdef Q_OS_UNIX
        // What a crashed instance leaves: a bound socket nobody listens on.
        {"dead socket",
         [](const QString& path) {
             const int fd = Bound(QFile::encodeName(path));
             ASSERT_GE(fd, 0);
             ::close(fd);
         }},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString name = UniqueName();
        c.make(SocketPath(name));
        ASSERT_TRUE(QFile::exists(SocketPath(name)));

        SingleInstance primary(name);
        QSignalSpy spy(&primary, &SingleInstance::activationRequested);
        EXPECT_TRUE(primary.TryBecomePrimary());
        // It really serves the name now: the next start reaches it.
        SingleInstance later(name);
        EXPECT_FALSE(later.TryBecomePrimary());
        EXPECT_TRUE(spy.wait(WaitMs));
    }
}

// Runs the peer program with the name; returns its exit code, -1 on a crash.
int RunPeer(const QString& name, QProcess& peer) {
    QSignalSpy finished(&peer, &QProcess::finished);
    peer.start(QStringLiteral(SINGLE_INSTANCE_PEER), {name});
    if (!peer.waitForStarted(WaitMs) || !finished.wait(WaitMs)) return -1;
    return peer.exitStatus() == QProcess::NormalExit ? peer.exitCode() : -1;
}

TEST(SingleInstanceTest, AnotherProcessHandsOverOrBecomesPrimary) {
    const QString name = UniqueName();
    {
        SingleInstance primary(name);
        QSignalSpy spy(&primary, &SingleInstance::activationRequested);
        ASSERT_TRUE(primary.TryBecomePrimary());
        QProcess peer;
        EXPECT_EQ(RunPeer(name, peer), 0);
        ASSERT_TRUE(Settled(primary, spy));
        EXPECT_EQ(spy.count(), 1);
    }
    // The primary is gone and took its socket with it.
    EXPECT_FALSE(QFile::exists(SocketPath(name)));
    QProcess peer;
    EXPECT_EQ(RunPeer(name, peer), 3);
}

TEST(SingleInstanceTest, TwentyStartsAtOnceMakeExactlyOnePrimary) {
    const QString name = UniqueName();
    constexpr int Starts = 20;
    std::vector<std::unique_ptr<QProcess>> peers;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < Starts; ++i) {
        peers.push_back(std::make_unique<QProcess>());
        // A primary serves until every other start has handed over, at most 10 s.
        peers.back()->start(QStringLiteral(SINGLE_INSTANCE_PEER),
                            {name, QStringLiteral("10000"), QString::number(Starts - 1)});
    }
    int primaries = 0, handedOver = 0;
    QByteArray primaryOutput;
    for (auto& peer : peers) {
        ASSERT_TRUE(peer->waitForFinished(WaitMs));
        ASSERT_EQ(peer->exitStatus(), QProcess::NormalExit);
        if (peer->exitCode() == 3) {
            ++primaries;
            primaryOutput = peer->readAllStandardOutput();
        } else if (peer->exitCode() == 0) {
            ++handedOver;
        }
    }
    EXPECT_EQ(primaries, 1);
    EXPECT_EQ(handedOver, Starts - 1);
    EXPECT_TRUE(primaryOutput.contains("activations=19")) << primaryOutput.constData();
    EXPECT_LT(clock.elapsed(), 10000);  // the primary heard them all, none waited it out
}

#ifdef Q_OS_UNIX
TEST(SingleInstanceTest, AKilledPrimaryLeavesNothingThatBlocksTheNextStart) {
    const QString name = UniqueName();
    QProcess first;
    first.start(QStringLiteral(SINGLE_INSTANCE_PEER), {name, QStringLiteral("60000")});
    ASSERT_TRUE(first.waitForReadyRead(WaitMs));
    ASSERT_EQ(first.readLine(), QByteArray("primary\n"));
    ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(WaitMs));
    EXPECT_TRUE(QFile::exists(SocketPath(name)));  // both left behind
    EXPECT_TRUE(QFile::exists(SocketPath(name) + QStringLiteral(".lock")));

    SingleInstance next(name);
    QSignalSpy spy(&next, &SingleInstance::activationRequested);
    EXPECT_TRUE(next.TryBecomePrimary());
    QProcess later;
    EXPECT_EQ(RunPeer(name, later), 0);
    ASSERT_TRUE(Settled(next, spy));  // the hand-over may already have been heard
    EXPECT_EQ(spy.count(), 1);
}
#endif

#ifdef Q_OS_UNIX
TEST(SingleInstanceTest, GarbageAndFloodsDoNotStallTheServer) {
    const QString name = UniqueName();
    SingleInstance primary(name);
    QSignalSpy spy(&primary, &SingleInstance::activationRequested);
    ASSERT_TRUE(primary.TryBecomePrimary());
    // Ten megabytes from another thread, so that this one keeps serving.
    std::thread flood([path = QFile::encodeName(primary.ListeningOn())] {
        const int fd = ConnectRaw(path);
        if (fd < 0) return;
        const std::vector<char> chunk(1 << 16, 'S');
        for (int sent = 0; sent < 10 << 20; sent += static_cast<int>(chunk.size()))
            if (::send(fd, chunk.data(), chunk.size(), MSG_NOSIGNAL) < 0) break;  // hung up on
        ::close(fd);
    });
    EXPECT_TRUE(Send(primary, QByteArray(1 << 20, '\xff'), true));
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(Send(primary, SingleInstance::ActivationMessage));
    ASSERT_TRUE(Settled(primary, spy));
    EXPECT_EQ(spy.count(), 1);
    EXPECT_LT(clock.elapsed(), 2000);
    flood.join();
}
#endif

#ifdef Q_OS_UNIX
TEST(SingleInstanceTest, AnotherUserCannotReachTheInstance) {
    if (::geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
    const QString name = UniqueName();
    SingleInstance primary(name);
    QSignalSpy spy(&primary, &SingleInstance::activationRequested);
    ASSERT_TRUE(primary.TryBecomePrimary());

    // The peer runs as nobody, from a copy that user can reach, with a
    // private folder of its own.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString peerCopy = dir.filePath(QStringLiteral("peer"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(SINGLE_INSTANCE_PEER), peerCopy));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(peerCopy).constData(), 0755), 0);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), MakeFolder(dir.filePath(QStringLiteral("run")), 0700, Nobody));
    QProcess peer;
    peer.setProcessEnvironment(env);
    peer.setChildProcessModifier([] {
        if (!BecomeNobody()) ::_exit(97);
    });
    peer.start(peerCopy, {name});
    ASSERT_TRUE(peer.waitForFinished(WaitMs));
    EXPECT_EQ(peer.exitCode(), 3);  // nobody to hand over to: it runs on its own
    // Accepted in order: once our own start is heard, so is all the peer sent.
    ASSERT_TRUE(Send(primary, SingleInstance::ActivationMessage));
    ASSERT_TRUE(Settled(primary, spy));
    EXPECT_EQ(spy.count(), 1);
}
#endif

#ifdef Q_OS_UNIX
TEST(SingleInstanceTest, TheFolderIsTheSessionsIfPrivateElseOneOfTheUsersOwn) {
    struct Case {
        const char* what;
        // XDG_RUNTIME_DIR made in scratch; null: unset.
        QByteArray (*runtime)(const QString& scratch);
        bool used;
        bool needsRoot = false;
    };
    const auto run = [](const QString& scratch) { return scratch + QStringLiteral("/run"); };
    const Case cases[] = {
        {"private, with a trailing slash",
         [](const QString& s) { return QFile::encodeName(MakeFolder(s + QStringLiteral("/run"), 0700)) + '/'; },
         true},
        {"open to its group",
         [](const QString& s) { return QFile::encodeName(MakeFolder(s + QStringLiteral("/run"), 0770)); }, false},
        {"another user's",
         [](const QString& s) { return QFile::encodeName(MakeFolder(s + QStringLiteral("/run"), 0700, Nobody)); },
         false, true},
        {"a link to a private folder",
         [](const QString& s) {
             const QString link = s + QStringLiteral("/run");
             EXPECT_TRUE(QFile::link(MakeFolder(s + QStringLiteral("/real"), 0700), link));
             return QFile::encodeName(link);
         },
         false},
        {"relative", [](const QString&) { return QByteArray("run"); }, false},
        {"unset", [](const QString&) { return QByteArray(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsRoot && ::geteuid() != 0) continue;
        QTemporaryDir scratch;
        ASSERT_TRUE(scratch.isValid());
        const ScopedEnv runtime("XDG_RUNTIME_DIR", c.runtime(scratch.path()));
        const ScopedEnv temp("TMPDIR", QFile::encodeName(scratch.path()));
        const QString own = scratch.filePath(QStringLiteral("selenara-") + QString::number(::geteuid()));
        const QString expected = c.used ? run(scratch.path()) : own;

        const Warnings warnings;
        EXPECT_EQ(SingleInstance::PrivateFolder(), expected);
        // The user's own folder is made and used in every case.
        struct stat st {};
        ASSERT_EQ(::lstat(QFile::encodeName(own).constData(), &st), 0);
        EXPECT_TRUE(S_ISDIR(st.st_mode));
        EXPECT_EQ(st.st_mode & 0777, 0700U);
        // The guard meets the next start there.
        const QString name = UniqueName();
        SingleInstance primary(name);
        ASSERT_TRUE(primary.TryBecomePrimary());
        EXPECT_TRUE(QFileInfo::exists(expected + u'/' + name));
        EXPECT_TRUE(QFileInfo::exists(own + u'/' + name));
        SingleInstance second(name);
        EXPECT_FALSE(second.TryBecomePrimary());
        EXPECT_EQ(Warnings::Given(), QStringList());
    }
}

// One start with the session's folder in its environment and one without
// find each other, whichever came first: the guard stands in both folders.
TEST(SingleInstanceTest, StartsMeetWithAndWithoutTheSessionsFolder) {
    for (const bool firstHasIt : {true, false}) {
        SCOPED_TRACE(firstHasIt ? "the first start has XDG_RUNTIME_DIR" : "the second has it");
        QTemporaryDir scratch;
        ASSERT_TRUE(scratch.isValid());
        const ScopedEnv temp("TMPDIR", QFile::encodeName(scratch.path()));
        const QByteArray run = QFile::encodeName(MakeFolder(scratch.filePath(QStringLiteral("run")), 0700));
        const QString name = UniqueName();
        std::optional<ScopedEnv> runtime;
        runtime.emplace("XDG_RUNTIME_DIR", firstHasIt ? run : QByteArray());
        SingleInstance first(name);
        QSignalSpy spy(&first, &SingleInstance::activationRequested);
        ASSERT_TRUE(first.TryBecomePrimary());
        runtime.reset();
        runtime.emplace("XDG_RUNTIME_DIR", firstHasIt ? QByteArray() : run);
        SingleInstance second(name);
        EXPECT_FALSE(second.TryBecomePrimary());
        EXPECT_TRUE(Settled(first, spy));
    }
}

TEST(SingleInstanceTest, AnOwnFolderThatIsNotPrivateIsRefusedAndTheProgramRuns) {
    struct Case {
        const char* what;
        // Makes what another user, or an old mistake, left at path.
        void (*plant)(const QString& path);
        bool needsRoot = false;
    };
    const Case cases[] = {
        {"readable by all", [](const QString& path) { MakeFolder(path, 0755); }},
        {"open to its group", [](const QString& path) { MakeFolder(path, 0770); }},
        {"enterable by others", [](const QString& path) { MakeFolder(path, 0701); }},
        {"another user's", [](const QString& path) { MakeFolder(path, 0700, Nobody); }, true},
        // Another user's link, which could be turned to their own folder later.
        {"a link to a private folder",
         [](const QString& path) { EXPECT_TRUE(QFile::link(MakeFolder(path + QStringLiteral("-real"), 0700), path)); }},
        {"a file",
         [](const QString& path) {
             QFile f(path);
             EXPECT_TRUE(f.open(QIODevice::WriteOnly));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsRoot && ::geteuid() != 0) continue;
        QTemporaryDir scratch;
        ASSERT_TRUE(scratch.isValid());
        const ScopedEnv runtime("XDG_RUNTIME_DIR", {});
        const ScopedEnv temp("TMPDIR", QFile::encodeName(scratch.path()));
        const QString own = scratch.filePath(QStringLiteral("selenara-") + QString::number(::geteuid()));
        c.plant(own);
        const QStringList planted = Contents(scratch.path());

        {
            const Warnings warnings;
            EXPECT_EQ(SingleInstance::PrivateFolder(), QString());
            ASSERT_EQ(Warnings::Given().size(), 1);
            EXPECT_TRUE(Warnings::Given().front().contains(own)) << qPrintable(Warnings::Given().front());
        }
        // Both starts run, unguarded, and put nothing there.
        const QString name = UniqueName();
        SingleInstance first(name), second(name);
        EXPECT_TRUE(first.TryBecomePrimary());
        EXPECT_TRUE(second.TryBecomePrimary());
        EXPECT_EQ(Contents(scratch.path()), planted);
    }
}

// A server that another user started at path before us: open to all, as a
// squatter would make it. As nobody when we are root, else as ourselves.
class Squatter {
public:
    explicit Squatter(const QString& path) : path_(QFile::encodeName(path)) {
        int ready[2], done[2];
        // Not to be inherited by the peers other tests start.
        if (::pipe2(ready, O_CLOEXEC) != 0) return;
        if (::pipe2(done, O_CLOEXEC) != 0) {
            ::close(ready[0]);
            ::close(ready[1]);
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            // Only async-signal-safe calls from here on.
            ::close(ready[0]);
            ::close(done[1]);  // or the read below would never see the end
            if (::geteuid() == 0 && !BecomeNobody()) ::_exit(97);
            ::umask(0);
            const int fd = Bound(path_);
            if (fd < 0 || ::listen(fd, 8) != 0) ::_exit(98);
            char c = 'r';
            if (::write(ready[1], &c, 1) != 1) ::_exit(99);
            while (::read(done[0], &c, 1) > 0) {
            }
            // Whoever connected waits in the queue.
            pollfd waiting{fd, POLLIN, 0};
            ::_exit(::poll(&waiting, 1, 0) > 0 ? 1 : 0);
        }
        ::close(ready[1]);
        ::close(done[0]);
        char c = 0;
        listening_ = pid_ > 0 && ::read(ready[0], &c, 1) == 1;
        ::close(ready[0]);
        done_ = done[1];
    }
    ~Squatter() { Finish(); }
    Squatter(const Squatter&) = delete;
    Squatter& operator=(const Squatter&) = delete;

    bool Listening() const { return listening_; }

    // Ends it: 0 if nobody connected, 1 if someone did, else its failure.
    int Finish() {
        if (done_ >= 0) ::close(done_);
        done_ = -1;
        int status = 0;
        if (pid_ > 0 && ::waitpid(pid_, &status, 0) == pid_) status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        pid_ = -1;
        ::unlink(path_.constData());
        return status_;
    }

private:
    QByteArray path_;
    pid_t pid_ = -1;
    int done_ = -1;
    bool listening_ = false;
    int status_ = -1;
};

TEST(SingleInstanceTest, AnotherUsersServerInTheSharedFolderHearsNothing) {
    const QString name = UniqueName();
    Squatter squatter(SharedPath(name));
    ASSERT_TRUE(squatter.Listening());

    SingleInstance primary(name);
    QSignalSpy spy(&primary, &SingleInstance::activationRequested);
    EXPECT_TRUE(primary.TryBecomePrimary());
    SingleInstance second(name);
    EXPECT_FALSE(second.TryBecomePrimary());
    EXPECT_EQ(squatter.Finish(), 0);  // 1: a start connected to it
    ASSERT_TRUE(Settled(primary, spy));
    EXPECT_EQ(spy.count(), 1);
}

TEST(SingleInstanceTest, WhatIsPlantedInTheSharedFolderDoesNotSwitchTheGuardOff) {
    struct Case {
        const char* what;
        // Plants at the shared socket path and its ".lock"; returns a lock
        // that must stay held.
        std::unique_ptr<QLockFile> (*plant)(const QString& path);
    };
    const Case cases[] = {
        {"a lock held by a running process",
         [](const QString& path) {
             auto held = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
             EXPECT_TRUE(held->tryLock(0));
             return held;
         }},
        {"a folder at the socket's path",
         [](const QString& path) {
             EXPECT_TRUE(QDir().mkdir(path));
             return std::unique_ptr<QLockFile>();
         }},
        {"a folder at the lock's path",
         [](const QString& path) {
             EXPECT_TRUE(QDir().mkdir(path + QStringLiteral(".lock")));
             return std::unique_ptr<QLockFile>();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString name = UniqueName(), shared = SharedPath(name);
        {
            const auto held = c.plant(shared);
            SingleInstance primary(name);
            QSignalSpy spy(&primary, &SingleInstance::activationRequested);
            EXPECT_TRUE(primary.TryBecomePrimary());
            SingleInstance second(name);
            EXPECT_FALSE(second.TryBecomePrimary());
            EXPECT_TRUE(Settled(primary, spy));
        }
        QDir().rmdir(shared);
        QDir().rmdir(shared + QStringLiteral(".lock"));
    }
}
#endif

// The name does not follow the user name the environment gives: two starts
// of one user as "alice" and as "bob" are one program.
TEST(SingleInstanceTest, DefaultNameIsTheProgramsAndTheUsersId) {
#ifdef Q_OS_UNIX
    const QString expected = QStringLiteral("SINGLE_INSTANCE_TESTS-") + QString::number(::geteuid());
#else
    const QString expected = QStringLiteral("SINGLE_INSTANCE_TESTS");
#endif
    for (const char* user : {"alice", "bob", ""}) {
        const ScopedEnv userVar("USER", user), userNameVar("USERNAME", user);
        EXPECT_EQ(SingleInstance::DefaultName(), expected) << user;
    }
}

}  // namespace
}  // namespace selenara

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    // The guards here, and the peers they start, meet in a private folder of
    // this run, not the session's (and in the user's own folder in the
    // temporary folder, under names of their own).
    const QTemporaryDir runtime;
    if (!runtime.isValid()) return 1;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    // On Windows the folder is in the user's profile: the test mode's own
    // one there, apart from the program's.
    QStandardPaths::setTestModeEnabled(true);
    return RUN_ALL_TESTS();
}
