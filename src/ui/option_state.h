#pragma once

#include <QString>
#include <QStringList>

#include "engine/rename_settings.h"
#include "plan/counter_fields.h"
#include "ui/scenario_history.h"

// The options as the window's controls hold them: the fields' texts, the drop-down lists'
// positions, Dir-It, and the settings the plan check reads from them. When they are checked is
// the presenter's to decide.
class OptionState {
  public:
    OptionState();

    const RenameSettings& settings() const { return m_settings; }
    const QString& zahlText() const { return m_zahlText; }
    const QString& schrittweiteText() const { return m_schrittweiteText; }
    QStringList digitChoiceTexts() const;
    int digitIndex() const { return m_digitIndex; }
    int leadZerosIndex() const { return m_leadZerosIndex; }
    int letterCaseIndex() const { return static_cast<int>(m_settings.letterCase); }
    bool dirIt() const { return m_dirIt; }
    bool chains() const { return m_settings.chains == Chains::Allowed; }
    // The options as the history stores them.
    Scenario currentScenario() const;

    // The fields' texts; each returns whether the text changed.
    bool setMaske(const QString& text) { return replace(m_settings.Maske, text); }
    bool setZahlText(const QString& text) { return replace(m_zahlText, text); }
    bool setSchrittweiteText(const QString& text) { return replace(m_schrittweiteText, text); }
    bool setSucheText(const QString& text) { return replace(m_settings.SucheText, text); }
    bool setErsetzeText(const QString& text) { return replace(m_settings.ErsetzeText, text); }

    // Choices by their positions in the drop-down lists.
    void chooseLetterCase(int index);
    // false, choosing nothing, for a position the list does not offer.
    bool chooseDigitCount(int index);
    void chooseLeadZeros(int index);
    void setDirIt(bool on) { m_dirIt = on; }
    void setChains(bool on) { m_settings.chains = on ? Chains::Allowed : Chains::Refused; }
    void setSearchKind(SearchKind kind) { m_settings.searchKind = kind; }

    // Reads the counter fields into the settings and rewrites them in plain decimal; true when a
    // text changed.
    bool normaliseCounterFields();
    // Offers the digit counts for a counter over count rows and chooses position, or the
    // smallest count where position is not offered.
    void offerDigitCounts(int count, int position);

  private:
    static bool replace(QString& field, const QString& text);
    bool offers(int digitIndex) const;
    void applyDigitChoice(int index);

    RenameSettings m_settings;
    QString m_zahlText = QStringLiteral("1");
    QString m_schrittweiteText = QStringLiteral("1");
    DigitChoices m_digitChoices;
    int m_digitIndex = 0;
    int m_leadZerosIndex = 0;
    bool m_dirIt = false;
};
