#include "ui/scenario_history.h"

#include "engine/rename_settings.h"
#include "ui/settings_store.h"

namespace {

const QString kOrderLineKey = QStringLiteral("CurrentScenarioLine");
constexpr int kFirstSlotCode = 65;
constexpr int kLeadZeroChoiceCount = 4;
constexpr int kLetterCaseChoiceCount = static_cast<int>(LetterCase::EachWord) + 1;

QString slotKey(const char* word, int slot) {
    return QLatin1String(word) + QString::number(slot);
}

// An order line holds every slot character exactly once.
bool isSoundOrderLine(const QString& line) {
    if (line.size() != kScenarioSlotCount) {
        return false;
    }
    bool seen[kScenarioSlotCount] = {};
    for (const QChar c : line) {
        const int slotIndex = c.unicode() - kFirstSlotCode;
        if (slotIndex < 0 || slotIndex >= kScenarioSlotCount || seen[slotIndex]) {
            return false;
        }
        seen[slotIndex] = true;
    }
    return true;
}

// The slot (1 to 30) at a position (1 to 30) of a sound order line.
int slotNumber(const QString& orderLine, int position) {
    return orderLine.at(position - 1).unicode() - (kFirstSlotCode - 1);
}

// A stored list position, or the default when it is no whole number or lies outside the list.
int readPosition(const SettingsStore& store, const QString& key, int choiceCount) {
    bool isNumber = false;
    const int value = store.GetSettingValue(key, QStringLiteral("0")).toInt(&isNumber);
    if (!isNumber || value < 0 || value >= choiceCount) {
        return 0;
    }
    return value;
}

}  // namespace

QString DefaultScenarioLine() {
    QString line;
    line.reserve(kScenarioSlotCount);
    for (int i = 1; i <= kScenarioSlotCount; ++i) {
        line.append(QChar(kFirstSlotCode - 1 + i));
    }
    return line;
}

QString ScenarioHistory::readOrderLine() const {
    const QString line = m_store.GetSettingValue(kOrderLineKey, DefaultScenarioLine());
    // A hand-edited line could name a slot twice or not at all; start over in slot order then.
    return isSoundOrderLine(line) ? line : DefaultScenarioLine();
}

void ScenarioHistory::SaveScenario(const Scenario& scenario) {
    const QString line = readOrderLine();
    const QString wanted = scenario.mask.toUpper();
    int position = kScenarioSlotCount;
    for (int p = 1; p <= kScenarioSlotCount; ++p) {
        const QString stored = m_store.GetSettingValue(slotKey("Maske", slotNumber(line, p)), {});
        if (!stored.isEmpty() && stored.toUpper() == wanted) {
            position = p;
            break;
        }
    }

    const int n = slotNumber(line, position);
    const QString moved = line.at(position - 1) + line.left(position - 1) + line.mid(position);
    m_store.SaveSettingValues({
        {slotKey("Maske", n), scenario.mask},
        {slotKey("Start", n), scenario.startText},
        {slotKey("Step", n), scenario.stepText},
        {slotKey("Digits", n), QString::number(scenario.digitsPosition)},
        {slotKey("LeadZeros", n), QString::number(scenario.leadZerosPosition)},
        {slotKey("LetterCase", n), QString::number(scenario.letterCasePosition)},
        {slotKey("Search", n), scenario.searchText},
        {slotKey("Replace", n), scenario.replaceText},
        {slotKey("DirIt", n), QString::number(scenario.dirIt)},
        {slotKey("Regex", n), QString::number(scenario.regex)},
        {kOrderLineKey, moved},
    });
}

QStringList ScenarioHistory::FillScenarioMenu() const {
    const QString line = readOrderLine();
    QStringList captions;
    captions.reserve(kScenarioSlotCount);
    bool anyShown = false;
    for (int p = 1; p <= kScenarioSlotCount; ++p) {
        const QString mask = m_store.GetSettingValue(slotKey("Maske", slotNumber(line, p)), {});
        anyShown = anyShown || !mask.isEmpty();
        captions.append(mask);
    }
    if (!anyShown) {
        captions[0] = kDefaultMask;
    }
    return captions;
}

Scenario ScenarioHistory::LoadScenario(int index, const QStringList& menuCaptions,
                                       int digitChoiceCount) const {
    Scenario scenario;
    if (index < 1 || index > kScenarioSlotCount) {
        return scenario;
    }
    const int n = slotNumber(readOrderLine(), index);
    scenario.mask = menuCaptions.value(index - 1);
    scenario.startText = m_store.GetSettingValue(slotKey("Start", n), QStringLiteral("1"));
    scenario.stepText = m_store.GetSettingValue(slotKey("Step", n), QStringLiteral("1"));
    scenario.digitsPosition = readPosition(m_store, slotKey("Digits", n), digitChoiceCount);
    scenario.leadZerosPosition =
        readPosition(m_store, slotKey("LeadZeros", n), kLeadZeroChoiceCount);
    scenario.letterCasePosition =
        readPosition(m_store, slotKey("LetterCase", n), kLetterCaseChoiceCount);
    scenario.searchText = m_store.GetSettingValue(slotKey("Search", n), {});
    scenario.replaceText = m_store.GetSettingValue(slotKey("Replace", n), {});
    scenario.dirIt = readPosition(m_store, slotKey("DirIt", n), 2);
    // Missing in a history from before the switch: off.
    scenario.regex = readPosition(m_store, slotKey("Regex", n), 2);
    return scenario;
}
