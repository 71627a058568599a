#include "ui/settings_store.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(SettingsStoreTest, MissingDamagedOrForeignValuesGiveTheReadersDefault) {
    const QByteArray files[] = {
        "",
        "[Andere]\nToolTips=1\n[General]\nToolTips=1\n",
        // Not something the program wrote: a list and a typed value.
        "[Taufix]\nToolTips=1, 0\n",
        "[Taufix]\nToolTips=@Point(1 2)\n",
        QByteArray(4096, '\xfe'),
    };
    for (const QByteArray& content : files) {
        QTemporaryDir dir;
        QFile file(dir.filePath("taufix.conf"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        SettingsStore store(file.fileName());
        EXPECT_EQ(store.GetSettingValue("ToolTips", "0"), "0") << content.left(40).constData();
        store.SaveSettingValue("ToolTips", "1");
        EXPECT_EQ(SettingsStore(file.fileName()).GetSettingValue("ToolTips", "0"), "1");
    }
}

TEST(SettingsStoreTest, UserStoreIsVeskandorConfWithSectionTaufix) {
    // The user scope points at a temporary folder, so that the real ~/.config stays untouched.
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    SettingsStore().SaveSettingValues({{"ToolTips", "1"}, {"Maske1", "[NAME]"}});
    QFile file(dir.filePath("Veskandor.conf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[Taufix]\nMaske1=[NAME]\nToolTips=1\n");
}

}  // namespace
