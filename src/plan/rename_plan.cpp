#include "plan/rename_plan.h"

#include <limits>

#include "engine/mask_compiler.h"
#include "engine/new_names.h"
#include "plan/delay_timer.h"
#include "plan/file_system.h"

namespace {

const QString kCounterTooLarge =
    QStringLiteral("Fehler: Der Zähler überschreitet den größten zulässigen Wert!");
const QString kFillingText = QStringLiteral("Die Liste wird aufgefüllt ...");

QString leadZerosOfChoice(int index, const QString& current) {
    switch (index) {
        case 0:
            return QString();
        case 1:
            return QStringLiteral("0");
        case 2:
            return QStringLiteral(" ");
        case 3:
            return QStringLiteral("_");
        default:
            return current;
    }
}

}  // namespace

QString unrepresentableText(int count) {
    if (count == 1) {
        return QStringLiteral(
            "Hinweis: 1 Datei wurde übergangen, weil ihr Name kein gültiges "
            "UTF-8 ist. Benennen Sie sie zuerst anders um.");
    }
    return QStringLiteral("Hinweis: ") + QString::number(count) +
           QStringLiteral(
               " Dateien wurden übergangen, weil ihre Namen kein gültiges UTF-8 "
               "sind. Benennen Sie sie zuerst anders um.");
}

namespace {

QString planOkText() {
    return QStringLiteral("Zum Umbenennen der Dateien klicken Sie jetzt die Schaltfläche '") +
           QString(kRenameCaption).remove(u'&') + QStringLiteral("'.");
}

}  // namespace

RenamePlan::RenamePlan(FileSystem& fileSystem, DelayTimer* timer)
    : m_fileSystem(fileSystem), m_timer(timer) {
    m_digitChoices = InitStellenAnzahl(m_settings.Start, m_settings.Step, 0);
    m_settings.Digits = m_digitChoices.choices.value(0);
}

void RenamePlan::setMaske(const QString& text) {
    if (text != m_settings.Maske) {
        m_settings.Maske = text;
        ChkSituationButDelayed();
    }
}

void RenamePlan::setZahlText(const QString& text) {
    if (text != m_zahlText) {
        m_zahlText = text;
        ChkSituationButDelayed();
    }
}

void RenamePlan::setSchrittweiteText(const QString& text) {
    if (text != m_schrittweiteText) {
        m_schrittweiteText = text;
        ChkSituationButDelayed();
    }
}

void RenamePlan::setSucheText(const QString& text) {
    if (text != m_settings.SucheText) {
        m_settings.SucheText = text;
        ChkSituationButDelayed();
    }
}

void RenamePlan::setErsetzeText(const QString& text) {
    if (text != m_settings.ErsetzeText) {
        m_settings.ErsetzeText = text;
        ChkSituationButDelayed();
    }
}

void RenamePlan::setLetterCase(int index) {
    m_settings.LetterCase = index;
    ChkSituation();
}

void RenamePlan::chooseDigitCount(int index) {
    if (index < 0 || index >= m_digitChoices.choices.size()) {
        return;
    }
    m_keepDigitChoice = true;
    applyDigitChoice(index);
    ChkSituation();
    m_keepDigitChoice = false;
}

void RenamePlan::chooseLeadZeros(int index) {
    if (index >= 0 && index <= 3) {
        m_leadZerosIndex = index;
    }
    m_settings.LeadZeros = leadZerosOfChoice(index, m_settings.LeadZeros);
    m_keepDigitChoice = true;
    ChkSituation();
    m_keepDigitChoice = false;
}

void RenamePlan::clearList() {
    InitListe(m_list);
    Q_EMIT rowsChanged();
    ChkSituation();
}

void RenamePlan::markRows(int mode) {
    ListeSelect(m_list, mode);
    ChkSituation();
}

void RenamePlan::headerClicked(int index) {
    m_headerSorter.headerClicked(m_list, index);
    Q_EMIT rowsChanged();
    ChkSituation();
}

FillResult RenamePlan::fill(const QStringList& paths, FillMode mode) {
    Q_EMIT userInfo(kFillingText);
    return finishFill(FillListe(m_list, paths, mode, m_fileSystem, progressCallback()));
}

FillResult RenamePlan::fill(const QByteArrayList& nativePaths, FillMode mode) {
    Q_EMIT userInfo(kFillingText);
    return finishFill(FillListe(m_list, nativePaths, mode, m_fileSystem, progressCallback()));
}

FillResult RenamePlan::finishFill(FillResult result) {
    Q_EMIT rowsChanged();
    // The check offers the digit counts anew for the new number of rows.
    ChkSituation();
    if (!result.unrepresentable.isEmpty()) {
        Q_EMIT userInfo(unrepresentableText(static_cast<int>(result.unrepresentable.size())));
    }
    return result;
}

ProgressCallback RenamePlan::progressCallback() {
    return [this](int value, int maximum) { Q_EMIT progress(value, maximum); };
}

void RenamePlan::setSelected(int p, bool selected) {
    m_list.at(p).Selected = selected;
}

void RenamePlan::listClicked() {
    ChkSituationButDelayed();
}

bool RenamePlan::EintragVerschieben(bool nachOben) {
    const bool moved = ::EintragVerschieben(m_list, nachOben);
    Q_EMIT rowsChanged();
    ChkSituationButDelayed();
    return moved;
}

RenameRunResult RenamePlan::UmTaufen(FailureDecision& decision,
                                     const std::function<void()>& saveScenario) {
    cancelDelayedCheck();
    Q_EMIT userInfo(QStringLiteral("Umbenennung läuft ..."));
    if (saveScenario) {
        saveScenario();
    }
    RenameRunResult result =
        renameMarkedEntries(m_list, m_fileSystem, decision, progressCallback());
    Q_EMIT rowsChanged();
    ChkSituation();
    return result;
}

void RenamePlan::ChkSituationButDelayed() {
    setRenameEnabled(false);
    if (m_timer) {
        m_timer->restart();
    }
}

void RenamePlan::timerTick() {
    cancelDelayedCheck();
    ChkSituation();
}

void RenamePlan::cancelDelayedCheck() {
    if (m_timer) {
        m_timer->stop();
    }
}

void RenamePlan::setRenameEnabled(bool enabled) {
    if (enabled != m_renameEnabled) {
        m_renameEnabled = enabled;
        Q_EMIT renameEnabledChanged(enabled);
    }
}

void RenamePlan::normaliseCounterFields() {
    const QString zahl = m_zahlText;
    const QString schrittweite = m_schrittweiteText;
    m_settings.Start = ValidateNumericText(m_zahlText, kLargestStart);
    m_settings.Step = ValidateNumericText(m_schrittweiteText, kLargestStep);
    if (m_zahlText != zahl || m_schrittweiteText != schrittweite) {
        Q_EMIT counterTextsNormalised();
        // A rewritten field counts as a change of the field, as if typed.
        ChkSituationButDelayed();
    }
}

void RenamePlan::offerDigitCounts() {
    m_digitChoices = InitStellenAnzahl(m_settings.Start, m_settings.Step, m_list.count());
    applyDigitChoice(0);
    Q_EMIT digitChoicesChanged();
}

void RenamePlan::applyDigitChoice(int index) {
    m_digitIndex = index;
    m_settings.Digits = m_digitChoices.choices.value(index);
}

void RenamePlan::ChkSituation() {
    if (m_checkRunning) {
        return;
    }
    m_checkRunning = true;
    const bool listNotEmpty = !m_list.isEmpty();
    if (!m_keepDigitChoice) {
        normaliseCounterFields();
        offerDigitCounts();
    }
    const MaskCompilation mask = TranslateMaske(m_settings.Maske);
    PlanVerdict verdict;
    verdict.MaskOK = mask.MaskOK;
    verdict.MarkedCount = FillNewNameColumn(m_list, mask, m_settings, progressCallback());
    verdict.hintLine = mask.errorNo ? ShowError(*mask.errorNo) : QString();
    if (mask.MaskOK && listNotEmpty) {
        verdict.counterInRange =
            lastCounterValue(m_settings.Start, m_settings.Step, m_list.count()) <=
            std::numeric_limits<qint32>::max();
        verdict.names = checkNames(m_list, m_fileSystem, m_folderIndexes);
        if (!verdict.counterInRange) {
            verdict.hintLine = kCounterTooLarge;
        } else if (!verdict.names.allPassed()) {
            verdict.hintLine = verdict.names.firstFailure();
        }
    }
    verdict.PlanOK =
        mask.MaskOK && listNotEmpty && verdict.counterInRange && verdict.names.allPassed();
    if (verdict.PlanOK) {
        verdict.hintLine = planOkText();
    }
    const int count = m_list.count();
    verdict.markedText = QString::number(verdict.MarkedCount) + QStringLiteral(" von ") +
                         QString::number(count) + QStringLiteral(" Dateien markiert");
    if (verdict.MarkedCount != 0 && listNotEmpty) {
        verdict.moveDownEnabled = !m_list.at(count).Selected;
        verdict.moveUpEnabled = !m_list.at(1).Selected;
    }
    m_verdict = verdict;
    setRenameEnabled(verdict.PlanOK);
    Q_EMIT userInfo(verdict.hintLine);
    Q_EMIT checked();
    m_checkRunning = false;
}
