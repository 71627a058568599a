#include "ui/settings_store.h"

#include <QVariant>

namespace {

const QString kOrganisation = QStringLiteral("Veskandor");
const QString kSection = QStringLiteral("Taufix");

}  // namespace

SettingsStore::SettingsStore()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, kOrganisation) {
    m_settings.beginGroup(kSection);
}

// An explicit path is a file on every platform; NativeFormat would mean the registry on Windows.
SettingsStore::SettingsStore(const QString& filePath) : m_settings(filePath, QSettings::IniFormat) {
    m_settings.beginGroup(kSection);
}

QString SettingsStore::GetSettingValue(const QString& key, const QString& defaultValue) const {
    const QVariant value = m_settings.value(key);
    // We only ever write text; anything else (a hand-made list, an unreadable variant) is damage.
    if (value.typeId() != QMetaType::QString) {
        return defaultValue;
    }
    return value.toString();
}

void SettingsStore::SaveSettingValue(const QString& key, const QString& value) {
    SaveSettingValues({{key, value}});
}

void SettingsStore::SaveSettingValues(const QList<std::pair<QString, QString>>& values) {
    for (const auto& [key, value] : values) {
        m_settings.setValue(key, value);
    }
    // Written at once: the history is saved just before files are renamed and must survive
    // whatever happens to the process during the run.
    m_settings.sync();
}
