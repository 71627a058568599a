#pragma once

#include <QList>
#include <QSettings>
#include <QString>
#include <utility>

// The per-user settings store of the program: text values under application "Veskandor",
// section "Taufix". Reading never fails: a missing, damaged or unreadable entry yields the
// reader's default.
class SettingsStore {
  public:
    // The user's store; on Linux ~/.config/Veskandor.conf.
    SettingsStore();
    // A store in the given INI file instead of the user's.
    explicit SettingsStore(const QString& filePath);

    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QString GetSettingValue(const QString& key, const QString& defaultValue) const;
    void SaveSettingValue(const QString& key, const QString& value);
    // Several values in one write of the store.
    void SaveSettingValues(const QList<std::pair<QString, QString>>& values);

  private:
    QSettings m_settings;
};
