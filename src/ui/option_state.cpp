#include "ui/option_state.h"

#include <array>
#include <optional>

namespace {

// The padding of the lead-zero choices "keine", "Null", "Leerzeichen", "Unterstrich".
constexpr std::array<char16_t, 4> kLeadZeroOfChoice{u'\0', u'0', u' ', u'_'};

}  // namespace

OptionState::OptionState() {
    offerDigitCounts(0, 0);
}

QStringList OptionState::digitChoiceTexts() const {
    QStringList texts;
    for (int digits = m_digitChoices.MinDigits; digits <= m_digitChoices.largest; ++digits) {
        texts << QString::number(digits);
    }
    return texts;
}

Scenario OptionState::currentScenario() const {
    Scenario scenario;
    scenario.mask = m_settings.Maske;
    scenario.startText = m_zahlText;
    scenario.stepText = m_schrittweiteText;
    scenario.digitsPosition = m_digitIndex;
    scenario.leadZerosPosition = m_leadZerosIndex;
    scenario.letterCasePosition = letterCaseIndex();
    scenario.searchText = m_settings.SucheText;
    scenario.replaceText = m_settings.ErsetzeText;
    scenario.dirIt = m_dirIt ? 1 : 0;
    scenario.regex = m_settings.searchKind == SearchKind::Pattern ? 1 : 0;
    return scenario;
}

void OptionState::chooseLetterCase(int index) {
    // Any other position leaves the names as they are.
    const bool known = index >= 0 && index <= static_cast<int>(LetterCase::EachWord);
    m_settings.letterCase = known ? static_cast<LetterCase>(index) : LetterCase::Keep;
}

bool OptionState::chooseDigitCount(int index) {
    if (!offers(index)) {
        return false;
    }
    applyDigitChoice(index);
    return true;
}

void OptionState::chooseLeadZeros(int index) {
    // Any other position leaves the padding as it is.
    if (index >= 0 && index < static_cast<int>(kLeadZeroOfChoice.size())) {
        m_leadZerosIndex = index;
        const QChar padding(kLeadZeroOfChoice[static_cast<size_t>(index)]);
        m_settings.LeadZeros = padding.isNull() ? std::nullopt : std::optional(padding);
    }
}

bool OptionState::normaliseCounterFields() {
    const QString zahl = m_zahlText;
    const QString schrittweite = m_schrittweiteText;
    m_settings.Start = ValidateNumericText(m_zahlText, kLargestStart);
    m_settings.Step = ValidateNumericText(m_schrittweiteText, kLargestStep);
    return m_zahlText != zahl || m_schrittweiteText != schrittweite;
}

void OptionState::offerDigitCounts(int count, int position) {
    m_digitChoices = InitStellenAnzahl(m_settings.Start, m_settings.Step, count);
    applyDigitChoice(offers(position) ? position : 0);
}

bool OptionState::replace(QString& field, const QString& text) {
    if (text == field) {
        return false;
    }
    field = text;
    return true;
}

bool OptionState::offers(int digitIndex) const {
    return digitIndex >= 0 && digitIndex <= m_digitChoices.largest - m_digitChoices.MinDigits;
}

void OptionState::applyDigitChoice(int index) {
    m_digitIndex = index;
    m_settings.Digits = m_digitChoices.MinDigits + index;
}
