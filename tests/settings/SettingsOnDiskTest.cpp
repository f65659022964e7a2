// The settings on a disk that works against the program: a file or folder it
// may not write, a folder where the file belongs, files cut off mid-write or
// buried in junk. Each case runs one session of the program (settings_session:
// start, show, Exit) as an ordinary user, since for root file modes would not
// stop a write.
#include "settings/QtSettingsStore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace selenara {
namespace {

using Values = std::map<std::string, std::string>;

// As root the session runs as "nobody"; otherwise as the caller.
constexpr uid_t Nobody = 65534;
uid_t SessionUid() { return geteuid() == 0 ? Nobody : geteuid(); }
gid_t SessionGid() { return geteuid() == 0 ? Nobody : getegid(); }

struct Session {
    bool finished = false;
    int exitCode = -1;
    bool exited = false;  // the event loop ended after Exit
    std::vector<std::string> messages;
    Values loaded;
};

// The settings file as a session leaves it: the stored texts of the group,
// read as the program reads them (other groups stand as they were, which
// QSettings' own reader may take differently).
Values StoredValues(const QString& file) {
    QtSettingsStore store(file);
    Values values;
    for (const char* key : SettingsKeys)
        if (const SettingsStore::Value v = store.Read(key); v.Status == SettingsStore::ReadStatus::Text)
            values[key] = v.Text;
    return values;
}

// Deterministic bytes of every value, newlines and '=' included.
QByteArray Junk(qsizetype size, std::uint32_t seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }
    return bytes;
}

const QByteArray ValidGroup = "[Optionen]\nSPR=2\nLOA=0\nSLA=3\nSST=Bremen\nSLG=880\nSBG=5308\n";

// What a session must have loaded from ValidGroup.
void ExpectValidGroupLoaded(const Session& s) {
    EXPECT_EQ(s.loaded.at("SPR"), "2");
    EXPECT_EQ(s.loaded.at("LOA"), "0");
    EXPECT_EQ(s.loaded.at("SLA"), "3");
    EXPECT_EQ(s.loaded.at("SST"), "Bremen");
    EXPECT_EQ(s.loaded.at("SLG"), "880");
    EXPECT_EQ(s.loaded.at("SBG"), "5308");
    EXPECT_EQ(s.loaded.at("TUA"), "1");
}

class SettingsOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("config/Vandrel")));
        ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("run")));
        Mode(home.filePath(QStringLiteral("run")), 0700);
        // A copy the session's user can run wherever the build lies (a
        // checkout under /root is closed to it).
        ASSERT_TRUE(QFile::copy(QStringLiteral(SETTINGS_SESSION), Program()));
        Mode(Program(), 0755);
        for (const char* path : {"", "run", "config", "config/Vandrel"})
            Own(home.filePath(QString::fromLatin1(path)));
    }
    void TearDown() override {
        // A read-only folder would keep its files from being removed.
        ::chmod(QFile::encodeName(Folder()).constData(), 0755);
    }

    QString Folder() const { return home.filePath(QStringLiteral("config/Vandrel")); }
    QString Program() const { return home.filePath(QStringLiteral("settings_session")); }
    QString File() const { return Folder() + QStringLiteral("/Selenara.conf"); }
    QByteArray Bytes() const {
        QFile f(File());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void Write(const QByteArray& bytes) const {
        QFile f(File());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
        f.close();
        Own(File());
    }
    static void Own(const QString& path) {
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), SessionUid(), SessionGid()), 0)
            << path.toStdString();
    }
    static void Mode(const QString& path, mode_t mode) {
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0) << path.toStdString();
    }

    Session Run() const {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(home.path());
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const uid_t uid = SessionUid();
        const gid_t gid = SessionGid();
        p.setChildProcessModifier([uid, gid] {
            if (geteuid() == uid) return;
            if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0) ::_exit(97);
        });
        p.start(Program(), {});
        Session s;
        s.finished = p.waitForFinished(60000);
        if (!s.finished) {
            p.kill();
            p.waitForFinished();
            return s;
        }
        s.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
            const std::string text = line.toStdString();
            if (text.starts_with("message ")) s.messages.push_back(text.substr(8));
            if (text.starts_with("loaded ")) {
                const auto eq = text.find('=');
                s.loaded[text.substr(7, eq - 7)] = text.substr(eq + 1);
            }
            if (text == "exited") s.exited = true;
        }
        return s;
    }

    // Every session starts, reads what it can, says at most one thing and ends.
    static void ExpectOrderly(const Session& s) {
        ASSERT_TRUE(s.finished) << "the session hung";
        EXPECT_EQ(s.exitCode, 0);
        EXPECT_TRUE(s.exited);
        EXPECT_LE(s.messages.size(), 1u);
        EXPECT_EQ(s.loaded.size(), 14u);
    }
    static const std::vector<std::string>& SaveFailed() {
        static const std::vector<std::string> message{"Failed to create key Optionen"};
        return message;
    }

    QTemporaryDir home;
};

TEST_F(SettingsOnDisk, AReadOnlyFileIsReadAndKept) {
    Write(ValidGroup);
    Mode(File(), 0444);
    const Session s = Run();
    ExpectOrderly(s);
    ExpectValidGroupLoaded(s);
    EXPECT_EQ(s.messages, SaveFailed());
    EXPECT_EQ(Bytes(), ValidGroup);
}

TEST_F(SettingsOnDisk, AReadOnlyFolderKeepsItsFileOrGetsNone) {
    Write(ValidGroup);
    Mode(Folder(), 0555);
    const Session s = Run();
    ExpectOrderly(s);
    ExpectValidGroupLoaded(s);
    EXPECT_EQ(s.messages, SaveFailed());
    EXPECT_EQ(Bytes(), ValidGroup);
    EXPECT_EQ(QDir(Folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("Selenara.conf")});

    Mode(Folder(), 0755);
    ASSERT_TRUE(QFile::remove(File()));
    Mode(Folder(), 0555);
    const Session empty = Run();
    ExpectOrderly(empty);
    EXPECT_EQ(empty.loaded.at("SST"), "Aach/Hegau/Singen");
    EXPECT_EQ(empty.messages, SaveFailed());
    EXPECT_FALSE(QFileInfo::exists(File()));
}

TEST_F(SettingsOnDisk, AFolderWhereTheFileBelongs) {
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("Selenara.conf")));
    Own(File());
    const Session s = Run();
    ExpectOrderly(s);
    EXPECT_EQ(s.loaded.at("SPR"), "1");
    EXPECT_EQ(s.loaded.at("SST"), "Aach/Hegau/Singen");
    EXPECT_EQ(s.messages, SaveFailed());
    EXPECT_TRUE(QFileInfo(File()).isDir());
}

// Files cut off while they were written: the keys before the cut are read;
// a writable file is then replaced by the fourteen values, a read-only one kept.
TEST_F(SettingsOnDisk, FilesCutOffMidWrite) {
    struct Cut {
        QByteArray bytes;
        const char* sst;  // what the city must read as
        const char* loa;
    };
    const Cut cuts[] = {
        {"[Optionen]\nSPR=2\nLOA=0\nSST=Bre", "Bre", "0"},                       // half a line
        {"[Optionen]\nSPR=2\nSST=Bremen\nLOA=", "Bremen", "1"},                  // a key without value
        {"[Optionen]\nSPR=2\nSST=Bremen\nLOA", "Bremen", "1"},                   // a key without '='
        {"[Optionen]\nSPR=2\nSST=\"AL,Aub", "AL,Aub", "1"},                      // inside quotes
        {QByteArray("[Optionen]\nSPR=2\nSST=Bremen\nLOA=0\n") + Junk(4096, 7), "Bremen", "0"},  // junk
        {"[Opti", "Aach/Hegau/Singen", "1"},                                     // the group line
    };
    for (const Cut& cut : cuts) {
        for (const bool readOnly : {false, true}) {
            SCOPED_TRACE(cut.bytes.left(40).toStdString() + (readOnly ? " (read-only)" : ""));
            Write(cut.bytes);
            if (readOnly) Mode(File(), 0444);
            const Session s = Run();
            ExpectOrderly(s);
            if (s.loaded.size() != 14u) continue;
            EXPECT_EQ(s.loaded.at("SST"), cut.sst);
            EXPECT_EQ(s.loaded.at("LOA"), cut.loa);
            if (readOnly) {
                EXPECT_EQ(s.messages, SaveFailed());
                EXPECT_EQ(Bytes(), cut.bytes);
                Mode(File(), 0644);
            } else {
                EXPECT_TRUE(s.messages.empty());
                EXPECT_EQ(StoredValues(File()), s.loaded);
            }
        }
    }
}

// 50 MB of junk with the group somewhere in the middle.
TEST_F(SettingsOnDisk, FiftyMegabytesOfJunkAroundTheKeys) {
    constexpr qsizetype Half = 25 * 1024 * 1024;
    const QByteArray bytes = Junk(Half, 1) + '\n' + ValidGroup + Junk(Half, 2);
    for (const bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly ? "read-only" : "writable");
        Write(bytes);
        if (readOnly) Mode(File(), 0444);
        const Session s = Run();
        ExpectOrderly(s);
        if (s.loaded.size() != 14u) continue;
        EXPECT_EQ(s.loaded.at("SPR"), "2");
        EXPECT_EQ(s.loaded.at("SST"), "Bremen");
        if (readOnly) {
            EXPECT_EQ(s.messages, SaveFailed());
            EXPECT_TRUE(Bytes() == bytes);
            Mode(File(), 0644);
        } else {
            EXPECT_TRUE(s.messages.empty());
            EXPECT_EQ(StoredValues(File()), s.loaded);
        }
    }
}

// A value QSettings would have decoded as a serialized Qt type: 30,000
// nested "@Variant(" levels overflowed the stack (in the program's group at
// every start, in another at Exit, leaving a stale lock), a stored length of
// 2^31 reserved gigabytes. Now the session runs, reports the value in its
// own group once, writes a sound file and keeps the other group as it was.
TEST_F(SettingsOnDisk, SerializedTypesInAnyGroup) {
    QByteArray nested = "@Variant(";
    for (int i = 0; i < 30000; ++i) nested += "\\0\\0\\0\\t\\0\\0\\0\\x1";
    nested += "\\0\\0\\0\\n\\0\\0\\0\\0)";
    const QByteArray huge = "@Variant(\\0\\0\\0\\n\\x80\\0\\0\\0)";
    for (const QByteArray& value : {nested, huge}) {
        for (const bool ours : {true, false}) {
            SCOPED_TRACE((ours ? "Optionen, " : "Other, ") + value.left(24).toStdString());
            const QByteArray other = "[Other]\nSST=" + value + "\n";
            Write("[Optionen]\nSPR=2\nSST=" + (ours ? value : QByteArray("Bremen")) + "\n\n" + other);
            const Session s = Run();
            ExpectOrderly(s);
            if (s.loaded.size() != 14u) continue;
            EXPECT_EQ(s.loaded.at("SPR"), "2");
            EXPECT_EQ(s.loaded.at("SST"), ours ? "Aach/Hegau/Singen" : "Bremen");
            EXPECT_EQ(s.messages, ours ? std::vector<std::string>{"Invalid data type for 'SST'"}
                                       : std::vector<std::string>{});
            const QByteArray saved = Bytes();
            EXPECT_TRUE(saved.startsWith("[Optionen]\n")) << saved.left(80).toStdString();
            EXPECT_TRUE(saved.contains(ours ? "\nSST=Aach/Hegau/Singen\n" : "\nSST=Bremen\n"));
            EXPECT_TRUE(saved.endsWith(other));
            EXPECT_FALSE(QFileInfo::exists(File() + QStringLiteral(".lock")));
        }
    }
}

// Only a regular file, or a link to one, is read or written. A FIFO hung the
// first start for ever (and every later start handed over to it); a link to
// a device node was replaced by an ordinary file at Exit. Now such a path,
// or such a lock file, gives the defaults and one message, is never opened
// and is left as it was.
TEST_F(SettingsOnDisk, APathThatIsNoRegularFileIsLeftAlone) {
    struct Case {
        const char* what;
        std::function<void(const QString& file)> make;
        std::function<bool(const QString& file)> unchanged;
    };
    const auto fifo = [](const QString& path) {
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        Own(path);
    };
    const auto isFifo = [](const QString& path) {
        struct stat st {};
        return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
    };
    const Case cases[] = {
        {"a FIFO", fifo, isFifo},
        {"a link to /dev/null",
         [](const QString& path) { ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), path)); },
         [](const QString& path) { return QFileInfo(path).symLinkTarget() == QStringLiteral("/dev/null"); }},
        {"a FIFO as the lock file",
         [fifo](const QString& path) { fifo(path + QStringLiteral(".lock")); },
         [isFifo](const QString& path) { return isFifo(path + QStringLiteral(".lock")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(File());
        QFile::remove(File() + QStringLiteral(".lock"));
        c.make(File());
        const Session s = Run();
        ExpectOrderly(s);
        if (s.loaded.size() != 14u) continue;
        EXPECT_EQ(s.loaded.at("SST"), "Aach/Hegau/Singen");
        EXPECT_EQ(s.messages, SaveFailed());
        EXPECT_TRUE(c.unchanged(File()));
    }
}

// A link to a regular file, as dot-file managers set up, is read and written
// through: the link stays, its target gets the settings. A language number
// other than 1 or 2 reads as German and is saved as 1.
TEST_F(SettingsOnDisk, ALinkToARegularFileIsWrittenThrough) {
    const QString target = home.filePath(QStringLiteral("dotfiles/Selenara.conf"));
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("dotfiles")));
    Own(home.filePath(QStringLiteral("dotfiles")));
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Optionen]\nSPR=256\nSST=Bremen\nSLG=880\nSBG=5308\n");
    }
    Own(target);
    ASSERT_TRUE(QFile::link(target, File()));
    const Session s = Run();
    ExpectOrderly(s);
    ASSERT_EQ(s.loaded.size(), 14u);
    EXPECT_EQ(s.loaded.at("SPR"), "1");
    EXPECT_EQ(s.loaded.at("SST"), "Bremen");
    EXPECT_TRUE(s.messages.empty());
    EXPECT_EQ(QFileInfo(File()).symLinkTarget(), target);
    EXPECT_EQ(StoredValues(target), s.loaded);
}

}  // namespace
}  // namespace selenara
