#pragma once

#include <QObject>
#include <QStringList>

#include "engine/rename_settings.h"
#include "list/file_list.h"
#include "list/list_filling.h"
#include "list/list_selection.h"
#include "plan/counter_fields.h"
#include "plan/name_checks.h"
#include "plan/rename_run.h"

class DelayTimer;
class FileSystem;

// Everything the last plan check found, as the window shows it.
struct PlanVerdict {
    bool MaskOK = false;
    int MarkedCount = 0;
    bool counterInRange = true;
    NameChecks names;
    bool PlanOK = false;
    QString hintLine;    // the hint line when the check ends
    QString markedText;  // status panel 1, e.g. "3 von 10 Dateien markiert"
    bool moveDownEnabled = false;
    bool moveUpEnabled = false;
};

inline const QString kRenameCaption = QStringLiteral("Jetzt &umtaufen!");

// The hint after a fill that refused names which are no valid text.
QString unrepresentableText(int count);

// The renaming plan: the candidate list, the options, and the check that re-evaluates them after
// every change. Typing and clicks reach the check through the delay timer; choices, list
// commands, fills and header clicks check at once.
class RenamePlan : public QObject {
    Q_OBJECT

  public:
    // timer may be null for callers that only check directly.
    RenamePlan(FileSystem& fileSystem, DelayTimer* timer);

    FileList& list() { return m_list; }
    const FileList& list() const { return m_list; }
    const RenameSettings& settings() const { return m_settings; }
    const QString& zahlText() const { return m_zahlText; }
    const QString& schrittweiteText() const { return m_schrittweiteText; }
    const QStringList& digitChoices() const { return m_digitChoices.choices; }
    int MinDigits() const { return m_digitChoices.MinDigits; }
    int digitIndex() const { return m_digitIndex; }
    int leadZerosIndex() const { return m_leadZerosIndex; }
    const PlanVerdict& verdict() const { return m_verdict; }
    // The rename command's state: a passed check enables it, a delayed change disables it.
    bool renameEnabled() const { return m_renameEnabled; }
    int LastSortColumn() const { return m_headerSorter.LastSortColumn(); }
    FileSystem& fileSystem() { return m_fileSystem; }

    // Field edits: checked after the delay.
    void setMaske(const QString& text);
    void setZahlText(const QString& text);
    void setSchrittweiteText(const QString& text);
    void setSucheText(const QString& text);
    void setErsetzeText(const QString& text);

    // Choices: checked at once.
    void setLetterCase(int index);
    void chooseDigitCount(int index);
    void chooseLeadZeros(int index);
    void setDirIt(int state) { m_settings.DirIt = state; }

    // List commands, each followed by a check.
    void clearList();
    void markRows(int mode);
    void headerClicked(int index);
    FillResult fill(const QStringList& paths, FillMode mode);
    // Paths as the file system spells them; names that are no valid text are refused.
    FillResult fill(const QByteArrayList& nativePaths, FillMode mode);

    // A mark changed by the user; call listClicked() when the click or key press is complete.
    void setSelected(int p, bool selected);
    void listClicked();
    // Returns false when the move was refused (the caller beeps).
    bool EintragVerschieben(bool nachOben);

    // The rename run: drops a pending delayed check, calls saveScenario before the first file,
    // renames the marked entries and ends with a check.
    RenameRunResult UmTaufen(FailureDecision& decision, const std::function<void()>& saveScenario);

    void ChkSituation();
    void ChkSituationButDelayed();
    void timerTick();
    // Drops a pending delayed check, as a rename run does when it starts.
    void cancelDelayedCheck();

  Q_SIGNALS:
    void userInfo(const QString& text);
    void progress(int value, int maximum);
    // The rows changed in number or order.
    void rowsChanged();
    // A check ended: names, verdict and the enabled states are new.
    void checked();
    void renameEnabledChanged(bool enabled);
    void counterTextsNormalised();
    void digitChoicesChanged();

  private:
    void setRenameEnabled(bool enabled);
    FillResult finishFill(FillResult result);
    ProgressCallback progressCallback();
    void normaliseCounterFields();
    void offerDigitCounts();
    void applyDigitChoice(int index);

    FileSystem& m_fileSystem;
    DelayTimer* m_timer;
    FileList m_list;
    RenameSettings m_settings;
    QString m_zahlText = QStringLiteral("1");
    QString m_schrittweiteText = QStringLiteral("1");
    DigitChoices m_digitChoices;
    int m_digitIndex = 0;
    int m_leadZerosIndex = 0;
    HeaderSorter m_headerSorter;
    FolderIndexCache m_folderIndexes;
    PlanVerdict m_verdict;
    bool m_renameEnabled = false;
    bool m_keepDigitChoice = false;
    bool m_checkRunning = false;
};
