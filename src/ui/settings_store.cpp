#include "ui/settings_store.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QVariant>

namespace {

const QString kSection = QStringLiteral("Taufix");

}  // namespace

SettingsStore::SettingsStore()
    : SettingsStore(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                    QStringLiteral("/Veskandor.conf")) {}

SettingsStore::SettingsStore(const QString& filePath) {
    // Reading a fifo or a device would wait for ever, and a folder cannot be a store.
    const QFileInfo file(filePath);
    if (file.exists() && !file.isFile()) {
        m_problem = QStringLiteral("Hinweis: Die Einstellungsdatei ") + filePath +
                    QStringLiteral(
                        " ist keine gewöhnliche Datei; es gelten die Vorgaben, und "
                        "nichts wird gespeichert.");
        return;
    }
    m_settings.emplace(filePath, QSettings::IniFormat);
    m_settings->beginGroup(kSection);
}

QString SettingsStore::GetSettingValue(const QString& key, const QString& defaultValue) const {
    const QVariant value = m_settings ? m_settings->value(key) : QVariant();
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
    if (!m_settings) {
        return;
    }
    for (const auto& [key, value] : values) {
        m_settings->setValue(key, value);
    }
    // Written at once: the history is saved just before files are renamed and must survive
    // whatever happens to the process during the run.
    m_settings->sync();
}
