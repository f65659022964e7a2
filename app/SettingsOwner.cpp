#include "app/SettingsOwner.h"

namespace selenara {

SettingsOwner::SettingsOwner(SettingsStore& store, SettingsMessage report, QObject* parent)
    : QObject(parent), store_(store), report_(std::move(report)), record_(LoadSettings(store_, report_)) {}

void SettingsOwner::SetLanguage(LanguageId language) {
    if (language == record_.Language) return;
    record_.Language = language;
    emit languageChanged(language);
}

void SettingsOwner::Apply(const UserSettings& settings) {
    const bool newLanguage = settings.Language != record_.Language;
    record_ = settings;
    if (newLanguage) emit languageChanged(record_.Language);
    emit settingsApplied();
}

void SettingsOwner::Save() { SaveSettings(record_, store_, report_); }

}  // namespace selenara
