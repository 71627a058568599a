#include "ui/plan_presenter.h"
#include "ui/run_texts.h"

#include <QFile>
#include <algorithm>
#include <utility>

#include "filesystem/file_system.h"
#include "plan/messages.h"
#include "ui/delay_timer.h"
#include "ui/progress_pace.h"
#include "ui/window_thread_decision.h"

namespace {

const QString kFillingText = QStringLiteral("Die Liste wird aufgefüllt ...");
const QString kRunningText = QStringLiteral("Umbenennung läuft ...");
const QString kSortingText = QStringLiteral("Die Liste wird sortiert ...");
const QString kCheckingText = QStringLiteral("Die neuen Namen werden geprüft ...");

// What a check does with the digit counts.
struct DigitCountRule {
    // Reads the counter fields and offers the digit counts anew, from the smallest, or at a
    // restored position.
    bool offerAnew;
    // Whether a restored history entry's digit position outlasts this reason.
    bool keepRestoredPosition;
};

// The digit-count and lead-zero choices keep the counts offered and the count chosen; every
// other check offers them anew. A restored position lasts through the restore's own check and
// the delayed one, and through a lead-zero choice; a change of anything else ends it.
constexpr DigitCountRule digitCountRule(CheckReason reason) {
    switch (reason) {
        case CheckReason::DigitChoice:
            return {false, false};
        case CheckReason::LeadZeroChoice:
        case CheckReason::MediaRead:
            return {false, true};
        case CheckReason::Restore:
        case CheckReason::DelayEnded:
            return {true, true};
        default:
            return {true, false};
    }
}

}  // namespace

PlanPresenter::PlanPresenter(FileSystem& fileSystem, ScenarioHistory& history,
                             JournalStore& journal, std::unique_ptr<DelayTimer> timer)
    : m_fileSystem(fileSystem),
      m_history(history),
      m_journal(journal),
      m_timer(timer ? std::move(timer) : std::make_unique<QtDelayTimer>()),
      m_lists(fileSystem) {
    m_timer->onTick = [this] { timerTick(); };
    connect(&m_lists, &ListHolder::commandEnded, this, &PlanPresenter::endCommand);
    connect(&m_lists, &ListHolder::checked, this, &PlanPresenter::showVerdict);
    connect(&m_lists, &ListHolder::progress, this, &PlanPresenter::progress);
    connect(&m_mediaRead, &MediaRead::finished, this, &PlanPresenter::takeMediaRead);
}

PlanPresenter::~PlanPresenter() = default;

void PlanPresenter::setMaske(const QString& text) {
    editText(&OptionState::setMaske, text, CheckReason::Typing);
}

void PlanPresenter::setZahlText(const QString& text) {
    editText(&OptionState::setZahlText, text, CheckReason::Typing);
}

void PlanPresenter::setSchrittweiteText(const QString& text) {
    editText(&OptionState::setSchrittweiteText, text, CheckReason::Typing);
}

void PlanPresenter::setSucheText(const QString& text) {
    editText(&OptionState::setSucheText, text, CheckReason::Typing);
}

void PlanPresenter::setErsetzeText(const QString& text) {
    editText(&OptionState::setErsetzeText, text, CheckReason::Typing);
}

void PlanPresenter::editText(bool (OptionState::*set)(const QString&), const QString& text,
                             CheckReason reason) {
    if ((m_options.*set)(text)) {
        ChkSituationButDelayed(reason);
    }
}

void PlanPresenter::chooseLetterCase(int index) {
    m_options.chooseLetterCase(index);
    ChkSituation(CheckReason::LetterCase);
}

void PlanPresenter::chooseDigitCount(int index) {
    if (m_options.chooseDigitCount(index)) {
        ChkSituation(CheckReason::DigitChoice);
    }
}

void PlanPresenter::chooseLeadZeros(int index) {
    m_options.chooseLeadZeros(index);
    ChkSituation(CheckReason::LeadZeroChoice);
}

void PlanPresenter::restoreScenario(const Scenario& scenario) {
    // In the order of the controls: the choices' check comes after the mask and counter fields
    // and before the search and replace texts, whose edits wait for the delay as typed ones do.
    // That check offers the digit counts anew at the stored position.
    m_restoredDigitIndex = scenario.digitsPosition;
    editText(&OptionState::setMaske, scenario.mask, CheckReason::Restore);
    editText(&OptionState::setZahlText, scenario.startText, CheckReason::Restore);
    editText(&OptionState::setSchrittweiteText, scenario.stepText, CheckReason::Restore);
    m_options.chooseLeadZeros(scenario.leadZerosPosition);
    m_options.chooseLetterCase(scenario.letterCasePosition);
    m_options.setSearchKind(scenario.regex != 0 ? SearchKind::Pattern : SearchKind::Literal);
    ChkSituation(CheckReason::Restore);
    editText(&OptionState::setSucheText, scenario.searchText, CheckReason::Restore);
    editText(&OptionState::setErsetzeText, scenario.replaceText, CheckReason::Restore);
    m_options.setDirIt(scenario.dirIt != 0);
    Q_EMIT optionsChanged();
}

void PlanPresenter::clearList() {
    if (listBusy()) {
        return;
    }
    InitListe(m_lists.writable());
    Q_EMIT rowsChanged();
    ChkSituation(CheckReason::ListCommand);
}

void PlanPresenter::markRows(SelectMode mode) {
    if (listBusy()) {
        return;
    }
    ListeSelect(m_lists.writable(), mode);
    Q_EMIT marksChanged();
    ChkSituation(CheckReason::ListCommand);
}

void PlanPresenter::headerClicked(int index) {
    if (listBusy()) {
        return;
    }
    if (!m_lists.large()) {
        m_headerSorter.headerClicked(m_lists.writable(), index);
        Q_EMIT rowsChanged();
        ChkSituation(CheckReason::ListCommand);
        return;
    }
    runCommand(CheckReason::ListCommand, kSortingText,
               [this, index] { m_lists.sort(m_headerSorter, index); });
}

bool PlanPresenter::fill(const QByteArrayList& nativePaths, FillMode mode, FolderScope scope) {
    return runCommand(CheckReason::FillEnd, kFillingText,
                      [&] { m_lists.fill(nativePaths, mode, scope); });
}

bool PlanPresenter::fillFromDrop(const QByteArray& uriList) {
    return runCommand(CheckReason::FillEnd, kFillingText, [&] { m_lists.fillFromDrop(uriList); });
}

bool PlanPresenter::runCommand(CheckReason end, const QString& text,
                               const std::function<void()>& start) {
    if (listBusy()) {
        return false;
    }
    m_commandEnd = end;
    Q_EMIT userInfo(text);
    setCommandStates(false, false, false);
    start();
    Q_EMIT commandStatesChanged();
    return true;
}

void PlanPresenter::endCommand(const QString& notice) {
    forgetRowVerdicts();
    Q_EMIT commandStatesChanged();
    Q_EMIT rowsChanged();
    // The check offers the digit counts anew for the new number of rows.
    ChkSituation(m_commandEnd);
    setNotice(notice);
    if (m_commandEnd == CheckReason::FillEnd) {
        Q_EMIT filled();
    }
}

void PlanPresenter::setSelected(int p, bool selected) {
    if (!listBusy()) {
        m_lists.writable().at(p).Selected = selected;
    }
}

void PlanPresenter::listClicked() {
    ChkSituationButDelayed(CheckReason::Typing);
}

bool PlanPresenter::EintragVerschieben(bool nachOben) {
    if (listBusy()) {
        return false;
    }
    const bool moved = ::EintragVerschieben(m_lists.writable(), nachOben);
    forgetRowVerdicts();
    Q_EMIT rowsChanged();
    ChkSituationButDelayed(CheckReason::Typing);
    return moved;
}

RenameRunResult PlanPresenter::UmTaufen(FailureDecision& decision) {
    // Only the check of the list and options as they are now enables a run.
    if (listBusy() || !m_renameEnabled) {
        return {};
    }
    cancelDelayedCheck();
    Q_EMIT userInfo(kRunningText);
    m_history.SaveScenario(m_options.currentScenario());
    FailureNote note(decision);
    WindowThreadDecision ask(note, *this);
    RenameRunResult result;
    m_lists.withList(
        [&](FileList& list, const ProgressCallback& progress) {
            result = renameMarkedEntries(list, m_fileSystem, m_journal, ask, progress);
        },
        progressCallback(), list().count());
    Q_EMIT rowsChanged();
    ChkSituation(CheckReason::RunEnd);
    setRunSummary(runSummaryText(result));
    setNotice(note.text());
    return result;
}

UndoPlan PlanPresenter::planUndo() {
    // A pending check would clear the notice as soon as it ran.
    if (m_timer->isActive()) {
        timerTick();
    }
    // It looks at every file of the run.
    UndoPlan plan;
    waitOffWindowThread([&] { plan = ::planUndo(m_journal, m_fileSystem); });
    if (plan.nothingToUndo) {
        setNotice(QStringLiteral("Nichts rückgängig zu machen"));
    }
    return plan;
}

UndoResult PlanPresenter::undo(UndoPlan& plan, UndoListener& listener) {
    if (listBusy()) {
        return {};
    }
    cancelDelayedCheck();
    UndoResult result;
    m_lists.withList(
        [&](FileList& list, const ProgressCallback& progress) {
            result = carryOutUndo(plan, m_journal, m_fileSystem, listener);
            QByteArrayList restored;
            for (const RenamedFile& file : result.restored) {
                restored << QFile::encodeName(file.to);
            }
            FillListe(list, restored, FillMode::Drop, m_fileSystem, progress);
        },
        progressCallback(), static_cast<int>(plan.steps.size()));
    Q_EMIT rowsChanged();
    ChkSituation(CheckReason::UndoEnd);
    setNotice(QStringLiteral("Rückgängig: %1 zurückbenannt, %2 nicht möglich")
                  .arg(result.restored.size())
                  .arg(result.notRestored.size()));
    return result;
}

void PlanPresenter::ChkSituationButDelayed(CheckReason reason) {
    noteReason(reason);
    m_lists.noteChange();
    forgetLastCommand();
    setCommandStates(false, m_moveDownEnabled, m_moveUpEnabled);
    m_timer->restart();
}

void PlanPresenter::timerTick() {
    cancelDelayedCheck();
    ChkSituation(CheckReason::DelayEnded);
}

void PlanPresenter::cancelDelayedCheck() {
    m_timer->stop();
}

void PlanPresenter::setCommandStates(bool rename, bool moveDown, bool moveUp) {
    if (rename != m_renameEnabled || moveDown != m_moveDownEnabled || moveUp != m_moveUpEnabled) {
        m_renameEnabled = rename;
        m_moveDownEnabled = moveDown;
        m_moveUpEnabled = moveUp;
        Q_EMIT commandStatesChanged();
    }
}

ProgressCallback PlanPresenter::progressCallback() {
    return pacedProgress([this](int value, int maximum) { Q_EMIT progress(value, maximum); });
}

void PlanPresenter::noteReason(CheckReason reason) {
    if (!digitCountRule(reason).keepRestoredPosition) {
        m_restoredDigitIndex.reset();
    }
}

void PlanPresenter::offerDigitCounts(CheckReason reason) {
    if (m_options.normaliseCounterFields()) {
        Q_EMIT optionsChanged();
        // A rewritten field counts as a change of the field, as if typed, for a check that keeps
        // what this one keeps.
        ChkSituationButDelayed(reason);
    }
    m_options.offerDigitCounts(list().count(), m_restoredDigitIndex.value_or(0));
    Q_EMIT optionsChanged();
}

void PlanPresenter::setRunSummary(const QString& text) {
    m_runSummary = text;
    showSummary();
}

void PlanPresenter::setNotice(const QString& text) {
    if (text != m_notice) {
        m_notice = text;
        Q_EMIT noticeChanged(text);
    }
}

void PlanPresenter::forgetLastCommand() {
    // The summary and the notice tell of the fill, run or undo just done. A check means the list
    // or the options have changed since, and they would speak of a state that is gone; the
    // command's own check comes before them.
    setRunSummary({});
    setNotice({});
}

void PlanPresenter::forgetRowVerdicts() {
    // The verdicts name rows by position; after the rows moved they would mark other rows until
    // the next check.
    m_verdict.names.rows.clear();
    m_troubleText.clear();
    showSummary();
}

void PlanPresenter::showSummary() {
    const QString& text = m_runSummary.isEmpty() ? m_troubleText : m_runSummary;
    if (text != m_summary) {
        m_summary = text;
        const bool trouble = m_runSummary.isEmpty() && !text.isEmpty();
        Q_EMIT summaryChanged(text, trouble ? kNextTroubleHint : QString());
    }
}

void PlanPresenter::takeMediaRead() {
    // A running fill replaces the list; the check that ends it reads what the list then lacks.
    FileList ignored;
    m_mediaRead.takeInto(listBusy() ? ignored : m_lists.writable());
    ChkSituation(CheckReason::MediaRead);
}

void PlanPresenter::ChkSituation(CheckReason reason) {
    // A running fill or sort ends with a check of the options as they are then.
    if (listBusy()) {
        return;
    }
    noteReason(reason);
    forgetLastCommand();
    if (digitCountRule(reason).offerAnew) {
        offerDigitCounts(reason);
    }
    if (std::optional<PlanVerdict> verdict =
            m_lists.check(m_options.settings(), progressCallback())) {
        showVerdict(*verdict);
        return;
    }
    setCommandStates(false, m_moveDownEnabled, m_moveUpEnabled);
    Q_EMIT userInfo(kCheckingText);
}

void PlanPresenter::showVerdict(const PlanVerdict& verdict) {
    m_verdict = verdict;
    m_mediaRead.readFor(list(), m_verdict.mediaKinds);
    m_troubleText = troubleText(m_verdict.names.rows.size());
    showSummary();
    const int count = list().count();
    m_markedText = QString::number(m_verdict.MarkedCount) + QStringLiteral(" von ") +
                   QString::number(count) + QStringLiteral(" Dateien markiert");
    const bool anyMarked = m_verdict.MarkedCount != 0 && count > 0;
    setCommandStates(m_verdict.PlanOK, anyMarked && !list().at(count).Selected,
                     anyMarked && !list().at(1).Selected);
    Q_EMIT userInfo(m_verdict.PlanOK ? planOkText(m_renameCaption) : failureMessage(m_verdict));
    Q_EMIT checked();
}
