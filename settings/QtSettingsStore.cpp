#include "settings/QtSettingsStore.h"

namespace selenara {
namespace {

const QString Group = QStringLiteral("Optionen");

QString KeyPath(std::string_view key) {
    return Group + u'/' + QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vandrel"),
                QStringLiteral("Selenara")) {}

SettingsStore::Value QtSettingsStore::Read(std::string_view key) {
    const QVariant v = settings_.value(KeyPath(key));
    if (!v.isValid()) return {ReadStatus::Missing, {}};
    // Only string values are settings; a number or a list someone stored by
    // hand is reported and the default used.
    if (v.typeId() != QMetaType::QString) return {ReadStatus::WrongType, {}};
    return {ReadStatus::Text, v.toString().toStdString()};
}

bool QtSettingsStore::RemoveGroup() {
    if (!settings_.isWritable()) return false;
    settings_.remove(Group);
    return true;
}

SettingsStore::WriteStatus QtSettingsStore::Write(std::string_view key, const std::string& text) {
    if (!settings_.isWritable()) return WriteStatus::CannotCreateGroup;
    settings_.setValue(KeyPath(key), QString::fromStdString(text));
    return WriteStatus::Written;
}

bool QtSettingsStore::Sync() {
    settings_.sync();
    // FormatError stays from reading a damaged file, which this write has
    // just replaced; only an AccessError means the values were not stored.
    return settings_.status() != QSettings::AccessError;
}

}  // namespace selenara
