#include "ui/scenario_history.h"

#include "ui/settings_store.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

namespace {

const QString kDefaultLine = "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^";

Scenario scenario(const QString& mask) {
    Scenario s;
    s.mask = mask;
    return s;
}

class ScenarioHistoryTest : public ::testing::Test {
  protected:
    QString path() const { return m_dir.filePath("taufix.conf"); }
    QString orderLine() const { return m_store.GetSettingValue("CurrentScenarioLine", "<none>"); }
    QString value(const QString& key) const { return m_store.GetSettingValue(key, "<none>"); }
    QByteArray fileBytes() const {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
    }

    QTemporaryDir m_dir;
    SettingsStore m_store{path()};
    ScenarioHistory m_history{m_store};
};

TEST(DefaultScenarioLineTest, IsTheThirtySlotCharactersInSlotOrder) {
    EXPECT_EQ(DefaultScenarioLine(), kDefaultLine);
}

TEST_F(ScenarioHistoryTest, EmptyStoreOffersOnlyTheDefaultMask) {
    const QStringList menu = m_history.FillScenarioMenu();
    ASSERT_EQ(menu.size(), 30);
    EXPECT_EQ(menu[0], "[NAME][TYP]");
    for (int p = 1; p < 30; ++p) {
        EXPECT_EQ(menu[p], "") << "member " << p + 1;
    }
}

TEST_F(ScenarioHistoryTest, EmptyStoreChoiceGivesTheBuiltInDefaults) {
    const Scenario chosen = m_history.LoadScenario(1, m_history.FillScenarioMenu(), 5);
    EXPECT_EQ(chosen, (Scenario{"[NAME][TYP]", "1", "1", 0, 0, 0, "", "", 0}));
    EXPECT_EQ(fileBytes(), "<no file>");
}

TEST_F(ScenarioHistoryTest, FirstSaveFillsSlot30AndRotatesTheLine) {
    m_history.SaveScenario({"Foto_[ZAHL]", "12", "5", 2, 3, 1, "alt", "neu", 1});

    EXPECT_EQ(orderLine(), "^ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]");
    const struct {
        const char* key;
        const char* expected;
    } stored[] = {
        {"Maske30", "Foto_[ZAHL]"}, {"Start30", "12"},    {"Step30", "5"},
        {"Digits30", "2"},          {"LeadZeros30", "3"}, {"LetterCase30", "1"},
        {"Search30", "alt"},        {"Replace30", "neu"}, {"DirIt30", "1"},
    };
    for (const auto& entry : stored) {
        EXPECT_EQ(value(entry.key), entry.expected) << entry.key;
    }
    EXPECT_EQ(value("Maske1"), "<none>");
}

TEST_F(ScenarioHistoryTest, SavedScenarioComesBackWhenChosen) {
    const Scenario saved{"[JAHR]-[NAME][TYP]", "7", "3", 4, 2, 3, "x y", "", 1};
    m_history.SaveScenario(saved);
    const QStringList menu = m_history.FillScenarioMenu();
    EXPECT_EQ(menu[0], saved.mask);
    EXPECT_EQ(menu[1], "");
    EXPECT_EQ(m_history.LoadScenario(1, menu, 12), saved);
}

TEST_F(ScenarioHistoryTest, MatchAtPosition5MovesToFrontAndIsOverwritten) {
    for (const char* mask : {"mask1", "mask2", "mask3", "mask4", "mask5", "mask6"}) {
        m_history.SaveScenario(scenario(mask));
    }
    ASSERT_EQ(orderLine(), "YZ[\\]^ABCDEFGHIJKLMNOPQRSTUVWX");
    ASSERT_EQ(m_history.FillScenarioMenu().mid(0, 6),
              QStringList({"mask6", "mask5", "mask4", "mask3", "mask2", "mask1"}));

    m_history.SaveScenario({"MASK2", "9", "2", 1, 1, 2, "s", "r", 1});

    EXPECT_EQ(orderLine(), "]YZ[\\^ABCDEFGHIJKLMNOPQRSTUVWX");
    EXPECT_EQ(m_history.FillScenarioMenu().mid(0, 7),
              QStringList({"MASK2", "mask6", "mask5", "mask4", "mask3", "mask1", ""}));
    EXPECT_EQ(m_history.LoadScenario(1, m_history.FillScenarioMenu(), 12),
              (Scenario{"MASK2", "9", "2", 1, 1, 2, "s", "r", 1}));
    EXPECT_EQ(value("Maske29"), "MASK2");
}

TEST_F(ScenarioHistoryTest, MatchAtPosition1KeepsTheLineAndOverwritesValues) {
    m_history.SaveScenario({"[NAME][TYP]", "1", "1", 0, 0, 0, "", "", 0});
    const QString before = orderLine();

    m_history.SaveScenario({"[NAME][TYP]", "100", "10", 3, 1, 2, "a", "b", 1});

    EXPECT_EQ(orderLine(), before);
    EXPECT_EQ(value("Start30"), "100");
    EXPECT_EQ(value("DirIt30"), "1");
    EXPECT_EQ(value("Maske29"), "<none>");
}

TEST_F(ScenarioHistoryTest, ThirtyFirstDistinctMaskReusesTheLeastRecentSlot) {
    for (int i = 1; i <= 30; ++i) {
        Scenario s = scenario(QString("m%1").arg(i));
        s.startText = QString::number(i);
        m_history.SaveScenario(s);
    }
    ASSERT_EQ(orderLine(), kDefaultLine);
    ASSERT_EQ(m_history.FillScenarioMenu().last(), "m1");

    m_history.SaveScenario(scenario("m31"));

    EXPECT_EQ(orderLine(), "^ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]");
    const QStringList menu = m_history.FillScenarioMenu();
    EXPECT_EQ(menu.first(), "m31");
    EXPECT_EQ(menu.last(), "m2");
    EXPECT_FALSE(menu.contains("m1"));
    EXPECT_EQ(m_history.LoadScenario(1, menu, 12).startText, "1");
    EXPECT_EQ(m_history.LoadScenario(30, menu, 12).startText, "2");
}

TEST_F(ScenarioHistoryTest, MasksMatchIgnoringLetterCase) {
    const struct {
        const char* first;
        const char* second;
        bool oneEntry;
    } cases[] = {
        {"[NAME][TYP]", "[name][typ]", true},
        {"Foto_[ZAHL]", "FOTO_[zahl]", true},
        {"größe", "GRÖSSE", true},
        {"Ärger", "ärger", true},
        {"[NAME]", "[NAME] ", false},
        {"a", "b", false},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        SettingsStore store(dir.filePath("taufix.conf"));
        ScenarioHistory history(store);
        history.SaveScenario(scenario(c.first));
        history.SaveScenario(scenario(c.second));

        const QStringList menu = history.FillScenarioMenu();
        EXPECT_EQ(menu[0], c.second) << c.first << " / " << c.second;
        EXPECT_EQ(menu[1], c.oneEntry ? "" : c.first) << c.first << " / " << c.second;
    }
}

TEST_F(ScenarioHistoryTest, ChoosingAnyEntryWritesNothing) {
    for (const char* mask : {"eins", "zwei", "drei"}) {
        m_history.SaveScenario(scenario(mask));
    }
    const QByteArray before = fileBytes();
    const QStringList menu = m_history.FillScenarioMenu();
    for (int index = 1; index <= 30; ++index) {
        m_history.LoadScenario(index, menu, 12);
    }
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(m_history.FillScenarioMenu(), menu);
}

TEST_F(ScenarioHistoryTest, MissingSlotValuesGiveTheirDefaults) {
    m_store.SaveSettingValue("Maske1", "von Hand");
    const QStringList menu = m_history.FillScenarioMenu();
    EXPECT_EQ(menu[0], "von Hand");
    EXPECT_EQ(m_history.LoadScenario(1, menu, 12),
              (Scenario{"von Hand", "1", "1", 0, 0, 0, "", "", 0}));
}

TEST_F(ScenarioHistoryTest, StoredNumbersOutsideTheirListGiveTheDefault) {
    const struct {
        const char* key;
        const char* stored;
        int digitChoiceCount;
        int Scenario::*field;
        int expected;
    } cases[] = {
        {"Digits30", "2", 5, &Scenario::digitsPosition, 2},
        {"Digits30", "4", 5, &Scenario::digitsPosition, 4},
        {"Digits30", "5", 5, &Scenario::digitsPosition, 0},
        {"Digits30", "2", 2, &Scenario::digitsPosition, 0},
        {"Digits30", "-1", 5, &Scenario::digitsPosition, 0},
        {"Digits30", "zwei", 5, &Scenario::digitsPosition, 0},
        {"Digits30", "2.5", 5, &Scenario::digitsPosition, 0},
        {"Digits30", "", 5, &Scenario::digitsPosition, 0},
        {"Digits30", "99999999999", 5, &Scenario::digitsPosition, 0},
        {"LeadZeros30", "3", 5, &Scenario::leadZerosPosition, 3},
        {"LeadZeros30", "4", 5, &Scenario::leadZerosPosition, 0},
        {"LeadZeros30", "x", 5, &Scenario::leadZerosPosition, 0},
        {"LetterCase30", "3", 5, &Scenario::letterCasePosition, 3},
        {"LetterCase30", "7", 5, &Scenario::letterCasePosition, 0},
        {"LetterCase30", "1a", 5, &Scenario::letterCasePosition, 0},
        {"DirIt30", "1", 5, &Scenario::dirIt, 1},
        {"DirIt30", "2", 5, &Scenario::dirIt, 0},
        {"DirIt30", "ja", 5, &Scenario::dirIt, 0},
    };
    m_history.SaveScenario({"[NAME][TYP]", "1", "1", 1, 1, 1, "", "", 1});
    for (const auto& c : cases) {
        m_store.SaveSettingValue(c.key, c.stored);
        const Scenario chosen =
            m_history.LoadScenario(1, m_history.FillScenarioMenu(), c.digitChoiceCount);
        EXPECT_EQ(chosen.*c.field, c.expected) << c.key << "=" << c.stored;
        EXPECT_EQ(chosen.mask, "[NAME][TYP]");
    }
}

TEST_F(ScenarioHistoryTest, CounterTextsAreRestoredAsStored) {
    // The plan check normalises the counter fields, so their text is given back untouched.
    m_history.SaveScenario({"[ZAHL]", "00042", "", 0, 0, 0, "", "", 0});
    const Scenario chosen = m_history.LoadScenario(1, m_history.FillScenarioMenu(), 12);
    EXPECT_EQ(chosen.startText, "00042");
    EXPECT_EQ(chosen.stepText, "");
}

TEST_F(ScenarioHistoryTest, DamagedOrderLineIsReadAsTheDefaultLine) {
    const QString damaged[] = {
        "",
        "ABC",
        kDefaultLine + "A",
        kDefaultLine.left(29),
        "AACDEFGHIJKLMNOPQRSTUVWXYZ[\\]^",  // slot 2 missing, slot 1 twice
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]_",  // a character after the last slot
        "@BCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^",  // a character before the first slot
        "aBCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^",
    };
    for (const QString& line : damaged) {
        QTemporaryDir dir;
        SettingsStore store(dir.filePath("taufix.conf"));
        ScenarioHistory history(store);
        store.SaveSettingValue("Maske1", "eins");
        store.SaveSettingValue("Maske30", "dreissig");
        store.SaveSettingValue("Start1", "11");
        store.SaveSettingValue("CurrentScenarioLine", line);

        const QStringList menu = history.FillScenarioMenu();
        EXPECT_EQ(menu[0], "eins") << qPrintable(line);
        EXPECT_EQ(menu[29], "dreissig") << qPrintable(line);
        EXPECT_EQ(history.LoadScenario(1, menu, 12).startText, "11") << qPrintable(line);

        history.SaveScenario(scenario("neu"));
        EXPECT_EQ(store.GetSettingValue("Maske30", ""), "neu") << qPrintable(line);
        EXPECT_EQ(store.GetSettingValue("CurrentScenarioLine", ""),
                  "^ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]")
            << qPrintable(line);
    }
}

TEST_F(ScenarioHistoryTest, SoundOrderLineOtherThanTheDefaultIsFollowed) {
    QString reversed = kDefaultLine;
    std::reverse(reversed.begin(), reversed.end());
    m_store.SaveSettingValue("Maske1", "eins");
    m_store.SaveSettingValue("Maske30", "dreissig");
    m_store.SaveSettingValue("CurrentScenarioLine", reversed);

    const QStringList menu = m_history.FillScenarioMenu();
    EXPECT_EQ(menu[0], "dreissig");
    EXPECT_EQ(menu[29], "eins");
}

TEST_F(ScenarioHistoryTest, GarbageSettingsFileActsAsAnEmptyHistory) {
    const QString garbagePath = m_dir.filePath("kaputt.conf");
    {
        QFile file(garbagePath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 4096; ++i) {
            file.putChar(char((i * 7919 + 13) % 256));
        }
    }
    SettingsStore store(garbagePath);
    ScenarioHistory history(store);
    EXPECT_EQ(history.FillScenarioMenu()[0], "[NAME][TYP]");

    history.SaveScenario(scenario("Foto_[ZAHL]"));
    EXPECT_EQ(history.FillScenarioMenu()[0], "Foto_[ZAHL]");
}

}  // namespace
