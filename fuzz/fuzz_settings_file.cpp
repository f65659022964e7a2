// Arbitrary bytes as the whole native settings file, read through the
// QSettings store: loading must give defaults or the values as stored, and
// load, save, load must give the same values again and keep every group the
// file had.
#include "FuzzInput.h"

#include "settings/QtSettingsStore.h"
#include "settings/TextIni.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <filesystem>

namespace {

QString file;

// QSettings keeps parsed files and re-reads one only when its size or time
// stamp changed: a fresh time stamp for every write, so that each load reads
// the bytes on disk.
void Touch() {
    static auto stamp = std::filesystem::file_time_type::clock::now();
    stamp += std::chrono::seconds(1);
    std::filesystem::last_write_time(file.toStdString(), stamp);
}

QByteArray Saved() {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) std::abort();
    return f.readAll();
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Every line of the file that opens a group other than the program's must
// stand in the saved file as it was.
bool KeepsOtherGroups(QByteArrayView data, const QByteArray& saved) {
    if (data.startsWith("\xef\xbb\xbf")) data = data.sliced(3);  // a byte-order mark
    while (!data.isEmpty()) {
        qsizetype end = 0;
        while (end < data.size() && data[end] != '\n' && data[end] != '\r') ++end;
        QByteArrayView line = data.first(end), text = line;
        data = data.sliced(end < data.size() ? end + 1 : end);
        while (!text.isEmpty() && IsBlank(text.front())) text = text.sliced(1);
        if (text.isEmpty() || text.front() != '[') continue;
        const qsizetype close = text.indexOf(']');
        QByteArrayView name = close < 0 ? text.sliced(1) : text.sliced(1, close - 1);
        while (!name.isEmpty() && IsBlank(name.front())) name = name.sliced(1);
        while (!name.isEmpty() && IsBlank(name.back())) name.chop(1);
        if (name != selenara::ProgramGroup && !saved.contains(line)) return false;
    }
    return true;
}

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
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        f.write(bytes.data(), bytes.size());
    }
    Touch();
    const auto ignore = [](const std::string&) {};

    UserSettings first;
    {
        QtSettingsStore store(file);
        first = LoadSettings(store, ignore);
        FUZZ_CHECK(!first.Settings.City.empty());
        FUZZ_CHECK(std::fabs(first.Settings.Longitude) <= 180.0 && std::fabs(first.Settings.Latitude) <= 90.0);
        bool saved = true;
        SaveSettings(first, store, [&saved](const std::string&) { saved = false; });
        FUZZ_CHECK(saved);
    }
    FUZZ_CHECK(KeepsOtherGroups(bytes, Saved()));
    Touch();
    QtSettingsStore again(file);
    FUZZ_CHECK(LoadSettings(again, ignore) == first);
    return 0;
}
