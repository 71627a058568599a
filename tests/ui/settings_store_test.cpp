#include "ui/settings_store.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

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

TEST(SettingsStoreTest, AStoreThatIsNoOrdinaryFileIsNeitherReadNorWritten) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("taufix.conf");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);  // reading it would wait
    SettingsStore store(fifo);
    store.SaveSettingValue("ToolTips", "1");
    EXPECT_EQ(store.GetSettingValue("ToolTips", "0"), "0");
    EXPECT_TRUE(store.problem().contains(fifo));
}

TEST(SettingsStoreTest, UserStoreIsVeskandorConfWithSectionTaufix) {
    // The user scope points at a temporary folder, so that the real ~/.config stays untouched.
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
    SettingsStore().SaveSettingValues({{"ToolTips", "1"}, {"Maske1", "[NAME]"}});
    QFile file(dir.filePath("Veskandor.conf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[Taufix]\nMaske1=[NAME]\nToolTips=1\n");
}

}  // namespace
