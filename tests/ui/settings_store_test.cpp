#include "ui/settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray garbage() {
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i) {
        bytes.append(char((i * 7919 + 13) % 256));
    }
    return bytes;
}

class SettingsStoreTest : public ::testing::Test {
  protected:
    QString path() const { return m_dir.filePath("taufix.conf"); }

    QTemporaryDir m_dir;
};

TEST_F(SettingsStoreTest, MissingKeyYieldsTheReadersDefault) {
    SettingsStore store(path());
    EXPECT_EQ(store.GetSettingValue("ToolTips", "0"), "0");
    EXPECT_EQ(store.GetSettingValue("Maske1", ""), "");
}

TEST_F(SettingsStoreTest, TextComesBackExactlyInANewStore) {
    const QString values[] = {
        "1",
        "",
        " 12 ",
        "[NAME][TYP]",
        "Foto, [ZAHL]",
        "a=b;c#d",
        "@Variant(x)",
        "C:\\Bilder\\",
        "\"zitiert\"",
        "Größe_äöü",
        "[Abschnitt]",
        "zwei\nZeilen",
    };
    for (const QString& value : values) {
        SettingsStore(path()).SaveSettingValue("Wert", value);
        EXPECT_EQ(SettingsStore(path()).GetSettingValue("Wert", "default"), value)
            << qPrintable(value);
    }
}

TEST_F(SettingsStoreTest, KeysAreKeptApart) {
    SettingsStore store(path());
    store.SaveSettingValue("Maske1", "eins");
    store.SaveSettingValue("Maske10", "zehn");
    EXPECT_EQ(store.GetSettingValue("Maske1", ""), "eins");
    EXPECT_EQ(store.GetSettingValue("Maske10", ""), "zehn");
    EXPECT_EQ(store.GetSettingValue("Maske2", "-"), "-");
}

TEST_F(SettingsStoreTest, ValuesLiveInSectionTaufix) {
    SettingsStore(path()).SaveSettingValue("ToolTips", "1");
    QSettings raw(path(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Taufix/ToolTips").toString(), "1");
}

TEST_F(SettingsStoreTest, KeysOfOtherSectionsAreNotSeen) {
    writeFile(path(), "[Andere]\nToolTips=1\n[General]\nMaske1=x\n");
    SettingsStore store(path());
    EXPECT_EQ(store.GetSettingValue("ToolTips", "0"), "0");
    EXPECT_EQ(store.GetSettingValue("Maske1", ""), "");
}

TEST_F(SettingsStoreTest, GarbageFileGivesDefaultsAndTakesNewValues) {
    writeFile(path(), garbage());
    {
        SettingsStore store(path());
        EXPECT_EQ(store.GetSettingValue("ToolTips", "0"), "0");
        EXPECT_EQ(store.GetSettingValue("CurrentScenarioLine", "ABC"), "ABC");
        store.SaveSettingValue("ToolTips", "1");
        EXPECT_EQ(store.GetSettingValue("ToolTips", "0"), "1");
    }
    EXPECT_EQ(SettingsStore(path()).GetSettingValue("ToolTips", "0"), "1");
}

TEST_F(SettingsStoreTest, ValueThatIsNotTextGivesTheDefault) {
    // A hand-written list or typed value is not something the program wrote.
    writeFile(path(), "[Taufix]\nToolTips=1, 0\nDigits1=@Point(1 2)\nStart1=@Invalid()\n");
    SettingsStore store(path());
    EXPECT_EQ(store.GetSettingValue("ToolTips", "0"), "0");
    EXPECT_EQ(store.GetSettingValue("Digits1", "0"), "0");
    EXPECT_EQ(store.GetSettingValue("Start1", "1"), "1");
}

TEST_F(SettingsStoreTest, UnreadableLocationGivesDefaultsWithoutFailing) {
    // A folder where the file should be can be neither read nor written, even by root.
    const QString folder = m_dir.filePath("ordner.conf");
    ASSERT_TRUE(QDir().mkpath(folder));
    SettingsStore store(folder);
    EXPECT_EQ(store.GetSettingValue("ToolTips", "0"), "0");
    store.SaveSettingValue("ToolTips", "1");
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST_F(SettingsStoreTest, UserStoreIsVeskandorConfWithSectionTaufix) {
    // Points the user scope at the temporary folder so the real ~/.config stays untouched.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    SettingsStore().SaveSettingValue("ToolTips", "1");

    const QByteArray text = readFile(m_dir.filePath("Veskandor.conf"));
    EXPECT_TRUE(text.contains("[Taufix]")) << text.constData();
    EXPECT_TRUE(text.contains("ToolTips=1")) << text.constData();
    EXPECT_EQ(SettingsStore().GetSettingValue("ToolTips", "0"), "1");
}

}  // namespace
