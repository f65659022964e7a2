#include "settings/QtSettingsStore.h"

#include "settings/TextIni.h"

#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

#include <utility>

#ifdef Q_OS_WIN
#include "settings/RegistryStore.h"
#else
#include <sys/stat.h>
#endif

namespace selenara {
namespace {

const QString Group = QString::fromLatin1(ProgramGroup);

QString KeyPath(std::string_view key) {
    return Group + u'/' + QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

// Whether nothing is at the path, and else whether it is a regular file or a
// link to one; found without opening it, since opening a FIFO blocks.
enum class PathKind { Absent, RegularFile, Other };

PathKind KindOf(const QString& path) {
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if (!info.exists()) return info.isSymLink() ? PathKind::Other : PathKind::Absent;
    return info.isFile() ? PathKind::RegularFile : PathKind::Other;
#else
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) == 0) return S_ISREG(st.st_mode) ? PathKind::RegularFile : PathKind::Other;
    // Nothing there, or a link that leads nowhere.
    return ::lstat(name.constData(), &st) == 0 ? PathKind::Other : PathKind::Absent;
#endif
}

// The file to open for `path`: itself, or the file a link leads to; empty
// when the path or its lock file holds anything but a regular file.
QString UsableFile(const QString& path) {
    const PathKind kind = KindOf(path);
    if (kind == PathKind::Other) return {};
    QString file = kind == PathKind::RegularFile ? QFileInfo(path).canonicalFilePath() : path;
    if (KindOf(file + QStringLiteral(".lock")) == PathKind::Other) return {};
    return file;
}

// How long a save waits for a lock file that a running process holds.
constexpr int LockWaitMs = 2000;

// Whether the save can take the lock file beside `file` now. QSettings waits
// for it without limit, and takes a lock that no process holds (junk, or a
// crashed writer's) for stale only when it is 30 s old: the exit froze that
// long. Here such a lock is stale at once, and a holder that keeps it past
// LockWaitMs makes the save fail instead of waiting.
bool LockCanBeTaken(const QString& file) {
    const QString path = file + QStringLiteral(".lock");
    const PathKind kind = KindOf(path);
    if (kind != PathKind::RegularFile) return kind == PathKind::Absent;
    QLockFile lock(path);
    // Removes it only when no live process has it locked.
    lock.removeStaleLockFile();
    if (!lock.tryLock(LockWaitMs)) return false;
    lock.unlock();
    return true;
}

}  // namespace

QtSettingsStore::QtSettingsStore(const QString& fileName) {
    if (const QString file = UsableFile(fileName); !file.isEmpty())
        settings_ = std::make_unique<QSettings>(file, TextIniFormat());
}

QtSettingsStore::~QtSettingsStore() = default;

SettingsStore::Value QtSettingsStore::Read(std::string_view key) {
    if (!settings_) return {};
    const QVariant v = settings_->value(KeyPath(key));
    if (!v.isValid()) return {ReadStatus::Missing, {}};
    // A list, or a serialized type ("@Variant(...)"), is no setting: it is
    // reported and the default used, never decoded.
    QString text;
    if (!IniValueText(v.toString().toLatin1(), text)) return {ReadStatus::WrongType, {}};
    return {ReadStatus::Text, text.toStdString()};
}

bool QtSettingsStore::RemoveGroup() {
    if (!settings_ || !settings_->isWritable()) return false;
    removeGroup_ = true;
    pending_.clear();
    return true;
}

SettingsStore::WriteStatus QtSettingsStore::Write(std::string_view key, const std::string& text) {
    if (!settings_ || !settings_->isWritable()) return WriteStatus::CannotCreateGroup;
    pending_.emplace_back(KeyPath(key), QString::fromLatin1(IniStoredValue(TextFromUtf8(text))));
    return WriteStatus::Written;
}

bool QtSettingsStore::Sync() {
    if (!settings_) return false;
    const bool removeGroup = std::exchange(removeGroup_, false);
    const auto pending = std::exchange(pending_, {});
    // Changes QSettings holds it would write when destroyed, waiting for the
    // lock as long as it likes: it gets them only once the lock is free.
    if (!LockCanBeTaken(settings_->fileName())) return false;
    if (removeGroup) settings_->remove(Group);
    for (const auto& [key, value] : pending) settings_->setValue(key, value);
    settings_->sync();
    // FormatError stays from reading a damaged file, which this write has
    // just replaced; only an AccessError means the values were not stored.
    return settings_->status() != QSettings::AccessError;
}

QString UserSettingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Vandrel/Selenara.conf");
}

std::unique_ptr<SettingsStore> OpenUserSettingsStore() {
#ifdef Q_OS_WIN
    return std::make_unique<RegistryStore>();
#else
    return std::make_unique<QtSettingsStore>(UserSettingsFile());
#endif
}

}  // namespace selenara
