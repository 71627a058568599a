#include "ui/plan_presenter.h"
#include "ui/run_texts.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <utility>

#include "filesystem/file_system.h"
#include "plan/messages.h"
#include "ui/delay_timer.h"

namespace {

const QString kFillingText = QStringLiteral("Die Liste wird aufgefüllt ...");
const QString kRunningText = QStringLiteral("Umbenennung läuft ...");

QString unresolvableText(int count) {
    return QStringLiteral("Hinweis: ") + QString::number(count) +
           QStringLiteral(
               " Pfad(e) übergangen: Der aktuelle Ordner lässt sich nicht bestimmen, und ein "
               "relativer Pfad könnte eine andere Datei nennen.");
}

QString troubleText(size_t rows) {
    if (rows == 0) {
        return {};
    }
    return rows == 1 ? QStringLiteral("1 Konflikt")
                     : QString::number(rows) + QStringLiteral(" Konflikte");
}

const QString kNextTroubleHint = QStringLiteral("F8 springt zur nächsten Zeile mit Konflikt");

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

PlanPresenter::PlanPresenter(FileSystem& fileSystem, ScenarioHistory& history,
                             JournalStore& journal, std::unique_ptr<DelayTimer> timer)
    : m_fileSystem(fileSystem),
      m_history(history),
      m_journal(journal),
      m_timer(timer ? std::move(timer) : std::make_unique<QtDelayTimer>()),
      m_fill(fileSystem) {
    m_timer->onTick = [this] { timerTick(); };
    connect(&m_fill, &ListFill::finished, this, &PlanPresenter::takeFilledList);
    connect(&m_fill, &ListFill::progress, this, &PlanPresenter::progress);
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

// A text option changed by typing is checked after the delay.

void PlanPresenter::setMaske(const QString& text) {
    if (m_options.setMaske(text)) {
        ChkSituationButDelayed();
    }
}

void PlanPresenter::setZahlText(const QString& text) {
    if (m_options.setZahlText(text)) {
        ChkSituationButDelayed();
    }
}

void PlanPresenter::setSchrittweiteText(const QString& text) {
    if (m_options.setSchrittweiteText(text)) {
        ChkSituationButDelayed();
    }
}

void PlanPresenter::setSucheText(const QString& text) {
    if (m_options.setSucheText(text)) {
        ChkSituationButDelayed();
    }
}

void PlanPresenter::setErsetzeText(const QString& text) {
    if (m_options.setErsetzeText(text)) {
        ChkSituationButDelayed();
    }
}

void PlanPresenter::chooseLetterCase(int index) {
    m_options.chooseLetterCase(index);
    ChkSituation();
}

void PlanPresenter::chooseDigitCount(int index) {
    if (!m_options.chooseDigitCount(index)) {
        return;
    }
    if (!m_restoring) {
        m_restoredDigitIndex.reset();
    }
    m_keepDigitChoice = true;
    ChkSituation();
    m_keepDigitChoice = false;
}

void PlanPresenter::chooseLeadZeros(int index) {
    m_options.chooseLeadZeros(index);
    m_keepDigitChoice = true;
    ChkSituation();
    m_keepDigitChoice = false;
}

void PlanPresenter::restoreScenario(const Scenario& scenario) {
    // The letter-case choice and the delayed check rebuild the digit choices, which would lose
    // the stored position.
    m_restoredDigitIndex = scenario.digitsPosition;
    m_restoring = true;
    setMaske(scenario.mask);
    setZahlText(scenario.startText);
    setSchrittweiteText(scenario.stepText);
    chooseDigitCount(scenario.digitsPosition);
    chooseLeadZeros(scenario.leadZerosPosition);
    chooseLetterCase(scenario.letterCasePosition);
    setSucheText(scenario.searchText);
    setErsetzeText(scenario.replaceText);
    setDirIt(scenario.dirIt != 0);
    m_restoring = false;
    Q_EMIT optionsChanged();
}

void PlanPresenter::clearList() {
    if (filling()) {
        return;
    }
    InitListe(m_list);
    Q_EMIT rowsChanged();
    ChkSituation();
}

void PlanPresenter::markRows(SelectMode mode) {
    if (filling()) {
        return;
    }
    ListeSelect(m_list, mode);
    Q_EMIT marksChanged();
    ChkSituation();
}

void PlanPresenter::headerClicked(int index) {
    if (filling()) {
        return;
    }
    m_headerSorter.headerClicked(m_list, index);
    Q_EMIT rowsChanged();
    ChkSituation();
}

bool PlanPresenter::fill(const QByteArrayList& nativePaths, FillMode mode) {
    if (filling()) {
        return false;
    }
    Q_EMIT userInfo(kFillingText);
    setCommandStates(false, false, false);
    // The copy shares its texts with the list; only the fill's thread changes it. The cache goes
    // with it and comes back with the filled list.
    m_fill.start(m_list, std::exchange(m_folderIndexes, FolderIndexCache()), nativePaths, mode);
    Q_EMIT commandStatesChanged();
    return true;
}

void PlanPresenter::takeFilledList() {
    ListFill::Filled done = m_fill.take();
    m_list = std::move(done.list);
    m_folderIndexes = std::move(done.folders);
    Q_EMIT commandStatesChanged();
    Q_EMIT rowsChanged();
    // The check offers the digit counts anew for the new number of rows.
    ChkSituation();
    QStringList notices;
    const FillResult& result = done.result;
    if (!result.unrepresentable.isEmpty()) {
        notices << unrepresentableText(static_cast<int>(result.unrepresentable.size()));
    }
    if (!result.unresolvable.isEmpty()) {
        notices << unresolvableText(static_cast<int>(result.unresolvable.size()));
    }
    setNotice(notices.join(u' '));
    Q_EMIT filled();
}

void PlanPresenter::setSelected(int p, bool selected) {
    if (!filling()) {
        m_list.at(p).Selected = selected;
    }
}

void PlanPresenter::listClicked() {
    ChkSituationButDelayed();
}

bool PlanPresenter::EintragVerschieben(bool nachOben) {
    if (filling()) {
        return false;
    }
    const bool moved = ::EintragVerschieben(m_list, nachOben);
    // The verdicts name rows by position; until the delayed check they would mark other rows.
    m_verdict.names.rows.clear();
    m_troubleText.clear();
    showSummary();
    Q_EMIT rowsChanged();
    ChkSituationButDelayed();
    return moved;
}

RenameRunResult PlanPresenter::UmTaufen(FailureDecision& decision) {
    if (filling()) {
        return {};
    }
    cancelDelayedCheck();
    Q_EMIT userInfo(kRunningText);
    m_history.SaveScenario(m_options.currentScenario());
    FailureNote note(decision);
    RenameRunResult result =
        renameMarkedEntries(m_list, m_fileSystem, m_journal, note, progressCallback());
    Q_EMIT rowsChanged();
    ChkSituation();
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
    if (filling()) {
        return {};
    }
    cancelDelayedCheck();
    UndoResult result = carryOutUndo(plan, m_journal, m_fileSystem, listener);
    QByteArrayList restored;
    for (const RenamedFile& file : result.restored) {
        restored << QFile::encodeName(file.to);
    }
    FillListe(m_list, restored, FillMode::Drop, m_fileSystem, progressCallback());
    Q_EMIT rowsChanged();
    ChkSituation();
    setNotice(QStringLiteral("Rückgängig: %1 zurückbenannt, %2 nicht möglich")
                  .arg(result.restored.size())
                  .arg(result.notRestored.size()));
    return result;
}

void PlanPresenter::ChkSituationButDelayed() {
    if (!m_restoring && !m_checkRunning) {
        m_restoredDigitIndex.reset();
    }
    forgetLastCommand();
    setCommandStates(false, m_moveDownEnabled, m_moveUpEnabled);
    m_timer->restart();
}

void PlanPresenter::timerTick() {
    cancelDelayedCheck();
    m_delayedCheckRunning = true;
    ChkSituation();
    m_delayedCheckRunning = false;
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
    // A pass on the window thread reports every row and holds the event loop, so no timer can
    // tick; the clock is read every 256 rows instead. The end always goes out.
    return [this, clock = QElapsedTimer(), calls = 0](int value, int maximum) mutable {
        if (value == 0) {
            Q_EMIT progress(0, maximum);
        } else if (!clock.isValid()) {
            clock.start();
            Q_EMIT progress(value, maximum);
        } else if (++calls % 256 == 0 && clock.elapsed() >= kProgressIntervalMs) {
            clock.start();
            Q_EMIT progress(value, maximum);
        }
    };
}

void PlanPresenter::normaliseCounterFields() {
    if (m_options.normaliseCounterFields()) {
        Q_EMIT optionsChanged();
        // A rewritten field counts as a change of the field, as if typed.
        ChkSituationButDelayed();
    }
}

void PlanPresenter::offerDigitCounts() {
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

void PlanPresenter::ChkSituation() {
    // A running fill ends with a check of the options as they are then.
    if (m_checkRunning || filling()) {
        return;
    }
    m_checkRunning = true;
    // The restore's own checks, the delayed one included, and the digit and lead-zero choices
    // keep a restored digit position; any other check ends it.
    if (!m_restoring && !m_delayedCheckRunning && !m_keepDigitChoice) {
        m_restoredDigitIndex.reset();
    }
    forgetLastCommand();
    if (!m_keepDigitChoice) {
        normaliseCounterFields();
        offerDigitCounts();
    }
    m_verdict =
        checkPlan(m_list, m_options.settings(), m_fileSystem, m_folderIndexes, progressCallback());
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
    m_checkRunning = false;
}
