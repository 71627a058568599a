#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;

// One renaming scenario as the window's controls hold it: the mask and the eight options.
struct Scenario {
    QString mask;
    QString startText = "1";
    QString stepText = "1";
    int digitsPosition = 0;
    int leadZerosPosition = 0;
    int letterCasePosition = 0;
    QString searchText;
    QString replaceText;
    int dirIt = 0;
    int regex = 0;  // 1 when the search text is a regular expression

    friend bool operator==(const Scenario&, const Scenario&) = default;
};

inline constexpr int kScenarioSlotCount = 30;

// The 30 slot characters in slot order: codes 65 to 94, "A" to "^".
QString DefaultScenarioLine();

// The history of the 30 most recently used scenarios in the settings store. Every operation
// reads the store afresh; nothing is kept in memory.
class ScenarioHistory {
  public:
    explicit ScenarioHistory(SettingsStore& store) : m_store(store) {}

    // Stores the scenario as the most recent entry, reusing the slot of an equal mask (ignoring
    // letter case) or else the least recently used slot.
    void SaveScenario(const Scenario& scenario);

    // Captions of menu members 1 to 30, most recent first; an empty caption means hidden.
    QStringList FillScenarioMenu() const;

    // The entry shown at menu member index (1 to 30) with menuCaptions as last filled.
    // digitChoiceCount is the current length of the digit-count list; a stored position outside
    // its list, or a stored number that is not a whole number, gives that value's default.
    // Writes nothing. An index outside 1 to 30 gives a default scenario.
    Scenario LoadScenario(int index, const QStringList& menuCaptions, int digitChoiceCount) const;

  private:
    QString readOrderLine() const;

    SettingsStore& m_store;
};
