#pragma once

#include <QList>
#include <QSettings>
#include <QString>
#include <optional>
#include <utility>

// The per-user settings store of the program: text values under application "Veskandor",
// section "Taufix". Reading never fails: a missing, damaged or unreadable entry yields the
// reader's default.
class SettingsStore {
  public:
    // The user's store: Veskandor.conf in $XDG_CONFIG_HOME, by default ~/.config.
    SettingsStore();
    // A store in the given file instead of the user's.
    explicit SettingsStore(const QString& filePath);

    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QString GetSettingValue(const QString& key, const QString& defaultValue) const;
    void SaveSettingValue(const QString& key, const QString& value);
    // Several values in one write of the store.
    void SaveSettingValues(const QList<std::pair<QString, QString>>& values);

    // Why the store cannot be used, for the hint line; empty when it can.
    const QString& problem() const { return m_problem; }

  private:
    std::optional<QSettings> m_settings;
    QString m_problem;
};
