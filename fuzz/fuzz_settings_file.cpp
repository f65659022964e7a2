// Arbitrary bytes as the whole native settings file, read through the
// QSettings store: loading must give defaults or the values as stored.
#include "FuzzInput.h"

#include "settings/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <filesystem>

namespace {

QString file;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Never the user's own settings: every store of this process lives here.
    static QTemporaryDir folder;
    if (!folder.isValid() || !QDir(folder.path()).mkpath(QStringLiteral("Vandrel"))) std::abort();
    file = folder.filePath(QStringLiteral("Vandrel/Selenara.conf"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace selenara;
    {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    // QSettings keeps parsed files and re-reads one only when its size or
    // time stamp changed: a fresh time stamp for every input.
    static auto stamp = std::filesystem::file_time_type::clock::now();
    stamp += std::chrono::seconds(1);
    std::filesystem::last_write_time(file.toStdString(), stamp);

    QtSettingsStore store(file);
    const UserSettings u = LoadSettings(store, [](const std::string&) {});
    FUZZ_CHECK(!u.Settings.City.empty());
    FUZZ_CHECK(std::fabs(u.Settings.Longitude) <= 180.0 && std::fabs(u.Settings.Latitude) <= 90.0);
    return 0;
}
