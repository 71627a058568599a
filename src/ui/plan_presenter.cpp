#include "ui/plan_presenter.h"
#include "ui/run_texts.h"

#include <QFile>
#include <QThreadPool>
#include <algorithm>
#include <utility>

#include "filesystem/file_system.h"
#include "plan/messages.h"
#include "ui/delay_timer.h"
#include "ui/progress_pace.h"

namespace {

const QString kFillingText = QStringLiteral("Die Liste wird aufgefüllt ...");
const QString kRunningText = QStringLiteral("Umbenennung läuft ...");
const QString kSortingText = QStringLiteral("Die Liste wird sortiert ...");
const QString kCheckingText = QStringLiteral("Die neuen Namen werden geprüft ...");

// Where a sort or check takes long enough on the window thread to be felt: about 10 ms.
constexpr int kWorkerFrom = 20000;

// Frees a list off the window thread, which a million entries would hold for a while.
void disposeOffThread(FileList list) {
    if (list.count() >= kWorkerFrom) {
        QThreadPool::globalInstance()->start(
            [gone = std::make_shared<FileList>(std::move(list))]() mutable { gone.reset(); });
    }
}

QString troubleText(size_t rows) {
    if (rows == 0) {
        return {};
    }
    return rows == 1 ? QStringLiteral("1 Konflikt")
                     : QString::number(rows) + QStringLiteral(" Konflikte");
}

const QString kNextTroubleHint = QStringLiteral("F8 springt zur nächsten Zeile mit Konflikt");

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
      m_command(fileSystem),
      m_check(fileSystem),
      m_workerFrom(kWorkerFrom) {
    m_timer->onTick = [this] { timerTick(); };
    connect(&m_command, &ListJob::finished, this, &PlanPresenter::takeCommandResult);
    connect(&m_command, &ListJob::progress, this, &PlanPresenter::progress);
    connect(&m_check, &ListJob::finished, this, &PlanPresenter::takeChecked);
    connect(&m_check, &ListJob::progress, this, &PlanPresenter::progress);
    connect(&m_mediaRead, &MediaRead::finished, this, &PlanPresenter::takeMediaRead);
}

PlanPresenter::~PlanPresenter() = default;

int PlanPresenter::sortedHeader() const {
    if (!m_list.Sorted()) {
        return 0;
    }
    // Size and date sort by hidden columns; their visible headers come first.
    for (int index = 1; index <= kColumnCount; ++index) {
        if (sortKeyForHeader(index) == m_list.SortKey()) {
            return index;
        }
    }
    return 0;
}

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
    InitListe(writableList());
    Q_EMIT rowsChanged();
    ChkSituation(CheckReason::ListCommand);
}

void PlanPresenter::markRows(SelectMode mode) {
    if (listBusy()) {
        return;
    }
    ListeSelect(writableList(), mode);
    Q_EMIT marksChanged();
    ChkSituation(CheckReason::ListCommand);
}

void PlanPresenter::headerClicked(int index) {
    if (listBusy()) {
        return;
    }
    if (m_list.count() < m_workerFrom) {
        m_headerSorter.headerClicked(writableList(), index);
        Q_EMIT rowsChanged();
        ChkSituation(CheckReason::ListCommand);
        return;
    }
    // The sorter is the job's until it ends: header clicks wait for it.
    runCommand(CheckReason::ListCommand, kSortingText, [this, index] {
        m_command.start(
            m_list, FolderIndexCache(),
            [sorter = &m_headerSorter, index](ListJob::Done& done, const ProgressCallback&) {
                sorter->headerClicked(done.list, index);
            });
    });
}

bool PlanPresenter::fill(const QByteArrayList& nativePaths, FillMode mode, FolderScope scope) {
    // The cache goes with the copy and comes back with the filled list.
    return runCommand(CheckReason::FillEnd, kFillingText, [&] {
        m_command.startFill(m_list, std::exchange(m_folderIndexes, FolderIndexCache()), nativePaths,
                            mode, scope);
    });
}

bool PlanPresenter::fillFromDrop(const QByteArray& uriList) {
    return runCommand(CheckReason::FillEnd, kFillingText, [&] {
        m_command.startDropFill(m_list, std::exchange(m_folderIndexes, FolderIndexCache()),
                                uriList);
    });
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

void PlanPresenter::takeCommandResult() {
    ListJob::Done done = m_command.take();
    std::swap(writableList(), done.list);
    disposeOffThread(std::move(done.list));
    adoptFolders(std::move(done.folders));
    // The verdicts name rows by position, and the rows have moved.
    m_verdict.names.rows.clear();
    Q_EMIT commandStatesChanged();
    Q_EMIT rowsChanged();
    // The check offers the digit counts anew for the new number of rows.
    ChkSituation(m_commandEnd);
    setNotice(done.notice);
    if (m_commandEnd == CheckReason::FillEnd) {
        Q_EMIT filled();
    }
}

void PlanPresenter::adoptFolders(FolderIndexCache folders) {
    if (!folders.isEmpty()) {
        m_folderIndexes = std::move(folders);
    }
}

FileList& PlanPresenter::writableList() {
    m_check.waitUntilCopied();
    m_command.waitUntilCopied();
    ++m_version;
    return m_list;
}

void PlanPresenter::setSelected(int p, bool selected) {
    if (!listBusy()) {
        writableList().at(p).Selected = selected;
    }
}

void PlanPresenter::listClicked() {
    ChkSituationButDelayed(CheckReason::Typing);
}

bool PlanPresenter::EintragVerschieben(bool nachOben) {
    if (listBusy()) {
        return false;
    }
    const bool moved = ::EintragVerschieben(writableList(), nachOben);
    // The verdicts name rows by position; until the delayed check they would mark other rows.
    m_verdict.names.rows.clear();
    m_troubleText.clear();
    showSummary();
    Q_EMIT rowsChanged();
    ChkSituationButDelayed(CheckReason::Typing);
    return moved;
}

RenameRunResult PlanPresenter::UmTaufen(FailureDecision& decision) {
    if (listBusy()) {
        return {};
    }
    cancelDelayedCheck();
    Q_EMIT userInfo(kRunningText);
    m_history.SaveScenario(m_options.currentScenario());
    FailureNote note(decision);
    RenameRunResult result =
        renameMarkedEntries(writableList(), m_fileSystem, m_journal, note, progressCallback());
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
    UndoPlan plan = ::planUndo(m_journal, m_fileSystem);
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
    UndoResult result = carryOutUndo(plan, m_journal, m_fileSystem, listener);
    QByteArrayList restored;
    for (const RenamedFile& file : result.restored) {
        restored << QFile::encodeName(file.to);
    }
    FillListe(writableList(), restored, FillMode::Drop, m_fileSystem, progressCallback());
    Q_EMIT rowsChanged();
    ChkSituation(CheckReason::UndoEnd);
    setNotice(QStringLiteral("Rückgängig: %1 zurückbenannt, %2 nicht möglich")
                  .arg(result.restored.size())
                  .arg(result.notRestored.size()));
    return result;
}

void PlanPresenter::ChkSituationButDelayed(CheckReason reason) {
    noteReason(reason);
    ++m_version;
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
    m_options.offerDigitCounts(m_list.count(), m_restoredDigitIndex.value_or(0));
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
    m_mediaRead.takeInto(listBusy() ? ignored : writableList());
    ChkSituation(CheckReason::MediaRead);
}

const RowVerdict* PlanPresenter::rowVerdict(int p) const {
    const std::vector<RowVerdict>& rows = m_verdict.names.rows;
    const auto found = std::lower_bound(rows.begin(), rows.end(), p,
                                        [](const RowVerdict& v, int row) { return v.row < row; });
    return found != rows.end() && found->row == p ? &*found : nullptr;
}

int PlanPresenter::nextRowInTrouble(int p) const {
    const std::vector<RowVerdict>& rows = m_verdict.names.rows;
    if (rows.empty()) {
        return 0;
    }
    const auto next = std::upper_bound(rows.begin(), rows.end(), p,
                                       [](int row, const RowVerdict& v) { return row < v.row; });
    return next != rows.end() ? next->row : rows.front().row;
}

QString PlanPresenter::planOkText() const {
    return QStringLiteral("Zum Umbenennen der Dateien klicken Sie jetzt die Schaltfläche '") +
           QString(m_renameCaption).remove(u'&') + QStringLiteral("'.");
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
    FileList& list = writableList();
    if (list.count() < m_workerFrom) {
        // The files' contents are read off the window thread; until then their rows fail.
        showVerdict(checkPlan(list, m_options.settings(), m_fileSystem, m_folderIndexes,
                              progressCallback(), MediaReads::Elsewhere));
        return;
    }
    setCommandStates(false, m_moveDownEnabled, m_moveUpEnabled);
    Q_EMIT userInfo(kCheckingText);
    // The running check is stale now; the next starts when it ends.
    m_checkPending = m_check.running();
    if (!m_checkPending) {
        startCheck();
    }
}

void PlanPresenter::startCheck() {
    m_checkedVersion = m_version;
    m_check.startCheck(m_list, std::exchange(m_folderIndexes, FolderIndexCache()),
                       m_options.settings());
}

void PlanPresenter::takeChecked() {
    ListJob::Done done = m_check.take();
    adoptFolders(std::move(done.folders));
    if (m_checkedVersion == m_version && !listBusy()) {
        // Nothing has changed since the copy: it is the list, with its new names.
        std::swap(m_list, done.list);
        showVerdict(std::move(*done.verdict));
    } else if (m_checkPending && !listBusy()) {
        startCheck();
    }
    m_checkPending = false;
    disposeOffThread(std::move(done.list));
}

void PlanPresenter::showVerdict(PlanVerdict verdict) {
    m_verdict = std::move(verdict);
    m_mediaRead.readFor(m_list, m_verdict.mediaKinds);
    m_troubleText = troubleText(m_verdict.names.rows.size());
    showSummary();
    const int count = m_list.count();
    m_markedText = QString::number(m_verdict.MarkedCount) + QStringLiteral(" von ") +
                   QString::number(count) + QStringLiteral(" Dateien markiert");
    const bool anyMarked = m_verdict.MarkedCount != 0 && count > 0;
    setCommandStates(m_verdict.PlanOK, anyMarked && !m_list.at(count).Selected,
                     anyMarked && !m_list.at(1).Selected);
    Q_EMIT userInfo(m_verdict.PlanOK ? planOkText() : failureMessage(m_verdict));
    Q_EMIT checked();
}
