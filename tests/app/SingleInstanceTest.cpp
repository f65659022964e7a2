#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <utility>
#include <vector>

#ifdef Q_OS_UNIX
#include <csignal>
#include <grp.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#endif

namespace selenara {
namespace {

constexpr int WaitMs = 30000;

QString UniqueName() {
    return QStringLiteral("selenara-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

QString SocketPath(const QString& name) { return QDir::tempPath() + u'/' + name; }

// Connects as a client and sends bytes. Then either leaves, or stays and
// returns whether the server hung up (waiting in the event loop, since the
// server runs in this thread).
bool Send(const QString& name, const QByteArray& bytes, bool stay = false) {
    QLocalSocket s;
    s.connectToServer(name);
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
    const QString name = UniqueName();
    SingleInstance first(name);
    QSignalSpy spy(&first, &SingleInstance::activationRequested);
    ASSERT_TRUE(first.TryBecomePrimary());
#ifdef Q_OS_UNIX
    // Only the same user may connect.
    const auto perms = QFile::permissions(SocketPath(name));
    EXPECT_TRUE(perms & QFile::WriteOwner);
    EXPECT_FALSE(perms & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther));
#endif

    SingleInstance second(name);
    EXPECT_FALSE(second.TryBecomePrimary());
    ASSERT_TRUE(Settled(first, spy));
    EXPECT_EQ(spy.count(), 1);
}

TEST(SingleInstanceTest, OnlyTheExactMessageActivates) {
    const QString name = UniqueName();
    SingleInstance primary(name);
    QSignalSpy spy(&primary, &SingleInstance::activationRequested);
    ASSERT_TRUE(primary.TryBecomePrimary());

    // Bytes that cannot start the message, and the message with more after
    // it, make the server hang up on a client that stays.
    EXPECT_TRUE(Send(name, "HELLO\n", true));
    EXPECT_TRUE(Send(name, SingleInstance::ActivationMessage + "X", true));
    EXPECT_TRUE(Send(name, QByteArray(4096, 'S'), true));
    // Silence, half a message, or the message without its newline, then leaving.
    EXPECT_TRUE(Send(name, {}));
    EXPECT_TRUE(Send(name, "SELENARA-"));
    EXPECT_TRUE(Send(name, SingleInstance::ActivationMessage.chopped(1)));
    EXPECT_EQ(spy.count(), 0);

    // Connections are accepted in order: once this one has activated, all
    // the earlier ones were accepted too.
    ASSERT_TRUE(Send(name, SingleInstance::ActivationMessage));
    ASSERT_TRUE(Settled(primary, spy));
    EXPECT_EQ(spy.count(), 1);
}

TEST(SingleInstanceTest, LeftoverSocketFileDoesNotBlockTheNextStart) {
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
             const QByteArray p = QFile::encodeName(path);
             sockaddr_un addr{};
             addr.sun_family = AF_UNIX;
             ASSERT_LT(static_cast<size_t>(p.size()), sizeof(addr.sun_path));
             std::memcpy(addr.sun_path, p.constData(), static_cast<size_t>(p.size()));
             const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
             ASSERT_GE(fd, 0);
             ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
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
// A blocking client socket on path, -1 if it cannot connect.
int ConnectRaw(const QByteArray& path) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (static_cast<size_t>(path.size()) >= sizeof(addr.sun_path)) return -1;
    std::memcpy(addr.sun_path, path.constData(), static_cast<size_t>(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) return fd;
    if (fd >= 0) ::close(fd);
    return -1;
}

TEST(SingleInstanceTest, GarbageAndFloodsDoNotStallTheServer) {
    const QString name = UniqueName();
    SingleInstance primary(name);
    QSignalSpy spy(&primary, &SingleInstance::activationRequested);
    ASSERT_TRUE(primary.TryBecomePrimary());
    // Ten megabytes from another thread, so that this one keeps serving.
    std::thread flood([path = QFile::encodeName(SocketPath(name))] {
        const int fd = ConnectRaw(path);
        if (fd < 0) return;
        const std::vector<char> chunk(1 << 16, 'S');
        for (int sent = 0; sent < 10 << 20; sent += static_cast<int>(chunk.size()))
            if (::send(fd, chunk.data(), chunk.size(), MSG_NOSIGNAL) < 0) break;  // hung up on
        ::close(fd);
    });
    EXPECT_TRUE(Send(name, QByteArray(1 << 20, '\xff'), true));
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(Send(name, SingleInstance::ActivationMessage));
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

    // The peer runs as nobody, from a copy that user can reach.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString peerCopy = dir.filePath(QStringLiteral("peer"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(SINGLE_INSTANCE_PEER), peerCopy));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(peerCopy).constData(), 0755), 0);
    QProcess peer;
    peer.setChildProcessModifier([] {
        constexpr uid_t nobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(97);
    });
    peer.start(peerCopy, {name});
    ASSERT_TRUE(peer.waitForFinished(WaitMs));
    EXPECT_EQ(peer.exitCode(), 3);  // nobody to hand over to: it runs on its own
    QTest::qWait(100);              // what it might have sent would be here by now
    EXPECT_EQ(spy.count(), 0);
}
#endif

TEST(SingleInstanceTest, DefaultNameIsProgramAndUser) {
    const QByteArray user = qgetenv("USER"), userName = qgetenv("USERNAME");
    qputenv("USER", "anna m\xc3\xbcller/x.y");
    EXPECT_EQ(SingleInstance::DefaultName(), QStringLiteral("SINGLE_INSTANCE_TESTS-anna_m_ller_x_y"));
    qunsetenv("USER");
    qputenv("USERNAME", "Bob-2");
    EXPECT_EQ(SingleInstance::DefaultName(), QStringLiteral("SINGLE_INSTANCE_TESTS-Bob-2"));
#ifdef Q_OS_UNIX
    qunsetenv("USERNAME");
    EXPECT_EQ(SingleInstance::DefaultName(),
              QStringLiteral("SINGLE_INSTANCE_TESTS-") + QString::number(::getuid()));
#endif
    for (const auto& [var, value] : {std::pair{"USER", user}, std::pair{"USERNAME", userName}}) {
        if (value.isNull()) qunsetenv(var);
        else qputenv(var, value);
    }
}

}  // namespace
}  // namespace selenara

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
