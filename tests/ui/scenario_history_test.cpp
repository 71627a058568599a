#include "ui/scenario_history.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "ui/settings_store.h"

namespace {

Scenario scenario(const QString& mask, const QString& start = "1") {
    return {mask, start, "1", 0, 0, 0, "", "", 0};
}

class ScenarioHistoryTest : public ::testing::Test {
  protected:
    QString value(const QString& key) const { return store.GetSettingValue(key, "-"); }
    QStringList menu() const { return history.FillScenarioMenu(); }

    QTemporaryDir dir;
    SettingsStore store{dir.filePath("taufix.conf")};
    ScenarioHistory history{store};
};

TEST_F(ScenarioHistoryTest, AnEmptyStoreOffersTheDefaultMaskWithTheBuiltInDefaults) {
    EXPECT_EQ(menu().join(u','), "[NAME][TYP]" + QString(29, u','));
    EXPECT_EQ(history.LoadScenario(1, menu(), 5), scenario("[NAME][TYP]"));
}

TEST_F(ScenarioHistoryTest, SavesGoToTheLeastRecentSlotOrToTheSlotOfTheSameMask) {
    const Scenario first{"Foto_[ZAHL]", "12", "5", 2, 3, 1, "alt", "neu", 1};
    history.SaveScenario(first);
    EXPECT_EQ(value("CurrentScenarioLine"), "^ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]");
    EXPECT_EQ(value("Maske30") + value("Digits30") + value("Replace30"), "Foto_[ZAHL]2neu");
    EXPECT_EQ(history.LoadScenario(1, menu(), 12), first);

    for (const char* mask : {"mask2", "mask3", "mask4", "mask5"}) {
        history.SaveScenario(scenario(mask));
    }
    history.SaveScenario(scenario("FOTO_[zahl]", "9"));  // the same mask, at position 5
    EXPECT_EQ(value("CurrentScenarioLine"), "^Z[\\]ABCDEFGHIJKLMNOPQRSTUVWXY");
    EXPECT_EQ(menu().mid(0, 6),
              QStringList({"FOTO_[zahl]", "mask5", "mask4", "mask3", "mask2", ""}));
    EXPECT_EQ(history.LoadScenario(1, menu(), 12).startText, "9");

    for (int i = 6; i <= 31; ++i) {
        history.SaveScenario(scenario(QString("m%1").arg(i)));
    }
    EXPECT_EQ(menu().first(), "m31");
    EXPECT_EQ(menu().last(), "mask3");  // "mask2", the least recent, gave its slot
}

TEST_F(ScenarioHistoryTest, StoredPositionsOutsideTheirListGiveTheDefault) {
    const struct {
        const char* key;
        const char* stored;
        int Scenario::*field;
        int expected;
    } cases[] = {
        {"Digits30", "4", &Scenario::digitsPosition, 4},
        {"Digits30", "5", &Scenario::digitsPosition, 0},  // five digit choices: 0 to 4
        {"Digits30", "2.5", &Scenario::digitsPosition, 0},
        {"LeadZeros30", "4", &Scenario::leadZerosPosition, 0},
        {"LetterCase30", "1a", &Scenario::letterCasePosition, 0},
        {"LetterCase30", "4", &Scenario::letterCasePosition, 4},
        {"LetterCase30", "5", &Scenario::letterCasePosition, 0},
        {"DirIt30", "2", &Scenario::dirIt, 0},
    };
    history.SaveScenario(scenario("[NAME][TYP]"));
    for (const auto& c : cases) {
        store.SaveSettingValue(c.key, c.stored);
        EXPECT_EQ(history.LoadScenario(1, menu(), 5).*c.field, c.expected)
            << c.key << "=" << c.stored;
    }
    EXPECT_EQ(value("CurrentScenarioLine"), "^ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]");  // nothing written
}

TEST_F(ScenarioHistoryTest, ADamagedOrderLineIsReadAsTheDefaultLine) {
    store.SaveSettingValue("Maske1", "eins");
    store.SaveSettingValue("Maske30", "dreissig");
    for (const QString line :
         {"", "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^A", "AACDEFGHIJKLMNOPQRSTUVWXYZ[\\]^",
          "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]_"}) {
        store.SaveSettingValue("CurrentScenarioLine", line);
        EXPECT_EQ(menu().first() + menu().last(), "einsdreissig") << qPrintable(line);
    }
}

}  // namespace
