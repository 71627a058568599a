#pragma once

#include <QByteArrayList>
#include <QObject>
#include <QStringList>
#include <algorithm>
#include <memory>
#include <optional>

#include "filesystem/folder_index_cache.h"
#include "list/file_list.h"
#include "list/list_filling.h"
#include "list/list_selection.h"
#include "plan/plan_check.h"
#include "plan/rename_run.h"
#include "plan/undo.h"
#include "ui/list_holder.h"
#include "ui/media_read.h"
#include "ui/option_state.h"

class DelayTimer;
class FileSystem;
class JournalStore;

// Why the plan is checked. The reason decides what the check does with the digit counts
// (digitCountRule in the source).
enum class CheckReason {
    Typing,       // a field edited, a click in the list, a move: checked when the delay ends
    DelayEnded,   // the check those changes armed
    ListCommand,  // clearing, marking, a header click
    LetterCase,
    SearchKindChoice,
    DigitChoice,
    LeadZeroChoice,
    ChainsChoice,
    MediaRead,  // the values read from the files' contents arrived
    Restore,    // a history entry applied
    FillEnd,
    RunEnd,
    UndoEnd,
};

// The window's side of the plan: the list, the options as the controls hold them, and when the
// plan is checked. Typing and clicks in the list reach the check after the delay; choices, list
// commands, fills and header clicks check at once. It is the one writer of the rows and marks,
// of the options, and of the rename and move commands' states.
//
// A fill, and a sort or a check of a large list, run off the window thread on a copy of the list,
// which replaces the list when the event loop delivers it. Until a fill or sort ends the list
// belongs to it: list commands, marks, the rename run and undo are refused, and checks wait for
// the check that ends it; the options can still be edited, and that check takes them as they are
// then. A check's copy replaces the list only while list and options are as it found them: a
// stale check never enables the rename command.
class PlanPresenter : public QObject {
    Q_OBJECT

  public:
    // Without a timer the presenter counts the delay on the event loop.
    PlanPresenter(FileSystem& fileSystem, ScenarioHistory& history, JournalStore& journal,
                  std::unique_ptr<DelayTimer> timer = nullptr);
    ~PlanPresenter() override;

    // The rename command's caption, access key included; the hint of a sound plan names it.
    void setRenameCaption(const QString& caption) { m_renameCaption = caption; }

    const FileList& list() const { return m_lists.list(); }
    const OptionState& options() const { return m_options; }
    const QString& markedText() const { return m_markedText; }
    bool renameEnabled() const { return m_renameEnabled; }
    bool moveDownEnabled() const { return m_moveDownEnabled; }
    bool moveUpEnabled() const { return m_moveUpEnabled; }
    // How the last run went, until the next check; empty otherwise.
    const QString& runSummary() const { return m_runSummary; }
    // What the last fill, run or undo has to add, until the next check; empty otherwise.
    const QString& notice() const { return m_notice; }
    // The run summary while there is one, otherwise how many rows the last check found in
    // trouble; empty when none.
    const QString& summary() const { return m_summary; }
    // The verdict on row p's new name when the last check found it failing; null otherwise, and
    // for every row while a move has left the rows of that check behind.
    const RowVerdict* rowVerdict(int p) const { return m_verdict.names.verdictOf(p); }
    // Whether row p's new name is another marked file's that the run moves away first.
    bool freedFirst(int p) const {
        const std::vector<int>& rows = m_verdict.names.freedFirst;
        return std::binary_search(rows.begin(), rows.end(), p);
    }
    // The first row in trouble after row p, from the top again after the last; 0 when none is.
    int nextRowInTrouble(int p) const { return m_verdict.names.nextRowInTrouble(p); }
    // The 1-based header that orders the list, 0 while the list is not sorted.
    int sortedHeader() const { return ::sortedHeader(list()); }
    // Whether a fill or sort holds the list.
    bool listBusy() const { return m_lists.busy(); }
    // Lists of at least rows entries are sorted, checked, renamed and undone off the window thread.
    void setWorkerFrom(int rows) { m_lists.setWorkerFrom(rows); }

    // Field edits: checked after the delay.
    void setMaske(const QString& text);
    void setZahlText(const QString& text);
    void setSchrittweiteText(const QString& text);
    void setSucheText(const QString& text);
    void setErsetzeText(const QString& text);

    // Choices: checked at once. Indexes are those of the drop-down lists.
    void chooseLetterCase(int index);
    void chooseDigitCount(int index);
    void chooseLeadZeros(int index);
    void chooseRegex(bool on) {
        m_options.setSearchKind(on ? SearchKind::Pattern : SearchKind::Literal);
        ChkSituation(CheckReason::SearchKindChoice);
    }
    void setDirIt(bool on) { m_options.setDirIt(on); }
    // Whether a new name may be another marked file's that moves away first.
    void setChains(bool on) {
        m_options.setChains(on);
        ChkSituation(CheckReason::ChainsChoice);
    }
    // Applies a history entry as if the user had made each change in turn; the checks it causes,
    // the delayed one included, keep its digit position until the user changes something.
    void restoreScenario(const Scenario& scenario);

    // List commands, each followed by a check.
    void clearList();
    void markRows(SelectMode mode);
    void headerClicked(int index);
    // Starts adding the paths' files, and those of the folders among them as scope says;
    // filled() tells the end. false, doing nothing, while another fill runs.
    bool fill(const QByteArrayList& nativePaths, FillMode mode,
              FolderScope scope = FolderScope::NotOpened);
    // The same for the local files of a drop's "text/uri-list", read off the window thread.
    bool fillFromDrop(const QByteArray& uriList);

    // A mark changed by the user; listClicked() when the click or key press is complete.
    void setSelected(int p, bool selected);
    void listClicked();
    // Returns false when the move was refused (the caller beeps).
    bool EintragVerschieben(bool nachOben);

    // The rename run: drops a pending delayed check, saves the options as the newest history
    // entry, renames the marked entries and ends with a check.
    RenameRunResult UmTaufen(FailureDecision& decision);
    // The undo in two steps, so that the user can be asked in between: the plan holds the run's
    // journal, so that no other run or undo changes what it found until undo() carries it out or
    // the plan is dropped. The files that got their old names again return to the list.
    UndoPlan planUndo();
    UndoResult undo(UndoPlan& plan, UndoListener& listener);

    void ChkSituation(CheckReason reason);

  Q_SIGNALS:
    void userInfo(const QString& text);
    // The notice changed: what a fill passed over, why a run failed, how an undo went; beside
    // the hint line, which the check's verdict keeps.
    void noticeChanged(const QString& text);
    void progress(int value, int maximum);
    // The rows changed in number or order.
    void rowsChanged();
    // A command changed the marks.
    void marksChanged();
    // A check ended: names, verdict and marked text are new.
    void checked();
    void commandStatesChanged();
    // The counter fields' texts or the digit choices were rewritten, or a history entry applied.
    void optionsChanged();
    // The summary panel's text and its tooltip.
    void summaryChanged(const QString& text, const QString& toolTip);
    // A fill ended: its files are in the list, and the list is checked.
    void filled();

  private:
    // Disables the rename command at once and checks when the delay ends.
    void ChkSituationButDelayed(CheckReason reason);
    void timerTick();
    void cancelDelayedCheck();
    void editText(bool (OptionState::*set)(const QString&), const QString& text,
                  CheckReason reason);
    // Ends a restored digit position unless the reason keeps it.
    void noteReason(CheckReason reason);
    // Starts a fill or sort, which the check of reason end follows; false while one runs.
    bool runCommand(CheckReason end, const QString& text, const std::function<void()>& start);
    void endCommand(const QString& notice);
    void showVerdict(const PlanVerdict& verdict);
    void takeMediaRead();
    void setCommandStates(bool rename, bool moveDown, bool moveUp);
    ProgressCallback progressCallback();
    void offerDigitCounts(CheckReason reason);
    void setRunSummary(const QString& text);
    void setNotice(const QString& text);
    void forgetLastCommand();
    void showSummary();
    void forgetRowVerdicts();

    FileSystem& m_fileSystem;
    ScenarioHistory& m_history;
    JournalStore& m_journal;
    std::unique_ptr<DelayTimer> m_timer;
    OptionState m_options;
    QString m_renameCaption;
    HeaderSorter m_headerSorter;
    PlanVerdict m_verdict;
    QString m_markedText;
    bool m_renameEnabled = false;
    bool m_moveDownEnabled = false;
    bool m_moveUpEnabled = false;
    QString m_runSummary;
    QString m_notice;
    QString m_troubleText;
    QString m_summary;
    // A history entry's digit position, while the reasons of the checks since keep it.
    std::optional<int> m_restoredDigitIndex;
    ListHolder m_lists;
    // The check that ends the running fill or sort.
    CheckReason m_commandEnd = CheckReason::FillEnd;
    MediaRead m_mediaRead;
};
