#include "ui/scenario_history.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "ui/settings_store.h"

namespace {

const QString kDefaultLine = "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^";

Scenario scenario(const QString& mask, const QString& start = "1") {
    Scenario s;
    s.mask = mask;
    s.startText = start;
    return s;
}

class ScenarioHistoryTest : public ::testing::Test {
  protected:
    QString value(const QString& key) const { return m_store.GetSettingValue(key, "<none>"); }
    QStringList menu() const { return m_history.FillScenarioMenu(); }

    QTemporaryDir m_dir;
    SettingsStore m_store{m_dir.filePath("taufix.conf")};
    ScenarioHistory m_history{m_store};
};

TEST_F(ScenarioHistoryTest, EmptyStoreOffersTheDefaultMaskWithTheBuiltInDefaults) {
    ASSERT_EQ(menu().size(), 30);
    EXPECT_EQ(menu().join(u','), "[NAME][TYP]" + QString(29, u','));
    EXPECT_EQ(m_history.LoadScenario(1, menu(), 5),
              (Scenario{"[NAME][TYP]", "1", "1", 0, 0, 0, "", "", 0}));
    EXPECT_EQ(value("CurrentScenarioLine"), "<none>");
}

TEST_F(ScenarioHistoryTest, FirstSaveFillsSlot30AndRotatesTheOrderLine) {
    const Scenario saved{"Foto_[ZAHL]", "12", "5", 2, 3, 1, "alt", "neu", 1};
    m_history.SaveScenario(saved);
    EXPECT_EQ(value("CurrentScenarioLine"), "^ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]");
    EXPECT_EQ(QStringList({value("Maske30"), value("Start30"), value("Step30"), value("Digits30"),
                           value("LeadZeros30"), value("LetterCase30"), value("Search30"),
                           value("Replace30"), value("DirIt30")}),
              QStringList({"Foto_[ZAHL]", "12", "5", "2", "3", "1", "alt", "neu", "1"}));
    EXPECT_EQ(m_history.LoadScenario(1, menu(), 12), saved);
}

TEST_F(ScenarioHistoryTest, AMaskSavedAgainIgnoringCaseMovesItsSlotToTheFront) {
    for (const char* mask : {"mask1", "mask2", "mask3", "mask4", "mask5", "mask6"}) {
        m_history.SaveScenario(scenario(mask));
    }
    m_history.SaveScenario(scenario("MASK2", "9"));
    EXPECT_EQ(value("CurrentScenarioLine"), "]YZ[\\^ABCDEFGHIJKLMNOPQRSTUVWX");
    EXPECT_EQ(menu().mid(0, 7),
              QStringList({"MASK2", "mask6", "mask5", "mask4", "mask3", "mask1", ""}));
    EXPECT_EQ(m_history.LoadScenario(1, menu(), 12).startText, "9");

    m_history.SaveScenario(scenario("mask2", "10"));  // already in front: the line stays
    EXPECT_EQ(value("CurrentScenarioLine"), "]YZ[\\^ABCDEFGHIJKLMNOPQRSTUVWX");
    EXPECT_EQ(menu().first(), "mask2");
}

TEST_F(ScenarioHistoryTest, TheThirtyFirstMaskReusesTheLeastRecentSlot) {
    for (int i = 1; i <= 31; ++i) {
        m_history.SaveScenario(scenario(QString("m%1").arg(i), QString::number(i)));
    }
    EXPECT_EQ(menu().first(), "m31");
    EXPECT_EQ(menu().last(), "m2");
    EXPECT_EQ(m_history.LoadScenario(30, menu(), 12).startText, "2");
}

TEST_F(ScenarioHistoryTest, ChoosingAnEntryWritesNothing) {
    m_history.SaveScenario(scenario("eins"));
    const QString line = value("CurrentScenarioLine");
    for (int index = 0; index <= 31; ++index) {
        m_history.LoadScenario(index, menu(), 12);
    }
    EXPECT_EQ(value("CurrentScenarioLine"), line);
    EXPECT_EQ(value("Maske29"), "<none>");
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
        {"Digits30", "-1", &Scenario::digitsPosition, 0},
        {"Digits30", "2.5", &Scenario::digitsPosition, 0},
        {"Digits30", "99999999999", &Scenario::digitsPosition, 0},
        {"LeadZeros30", "3", &Scenario::leadZerosPosition, 3},
        {"LeadZeros30", "4", &Scenario::leadZerosPosition, 0},
        {"LetterCase30", "1a", &Scenario::letterCasePosition, 0},
        {"DirIt30", "1", &Scenario::dirIt, 1},
        {"DirIt30", "2", &Scenario::dirIt, 0},
    };
    m_history.SaveScenario(scenario("[NAME][TYP]"));
    for (const auto& c : cases) {
        m_store.SaveSettingValue(c.key, c.stored);
        EXPECT_EQ(m_history.LoadScenario(1, menu(), 5).*c.field, c.expected)
            << c.key << "=" << c.stored;
    }
}

TEST_F(ScenarioHistoryTest, ADamagedOrderLineIsReadAsTheDefaultLine) {
    const QString damaged[] = {
        "", kDefaultLine + "A",
        "AACDEFGHIJKLMNOPQRSTUVWXYZ[\\]^",  // slot 2 missing, slot 1 twice
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]_",  // a character after the last slot
    };
    m_store.SaveSettingValue("Maske1", "eins");
    m_store.SaveSettingValue("Maske30", "dreissig");
    for (const QString& line : damaged) {
        m_store.SaveSettingValue("CurrentScenarioLine", line);
        EXPECT_EQ(menu().first(), "eins") << qPrintable(line);
        EXPECT_EQ(menu().last(), "dreissig") << qPrintable(line);
    }
}

}  // namespace
