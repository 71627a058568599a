#pragma once

#include <QString>

#include "plan/rename_run.h"
#include "plan/undo.h"

// Follows a run for the window's decision, noting the last failure for the notice panel.
class FailureNote : public FailureDecision {
  public:
    explicit FailureNote(FailureDecision& decision);

    bool continueAfterFailure(const FileEntry& entry, const RenameResult& result) override;
    void renamed(const FileEntry& entry) override { m_decision.renamed(entry); }
    void oldNameTaken(const FileEntry& entry) override { m_decision.oldNameTaken(entry); }
    bool stopRequested() override { return m_decision.stopRequested(); }

    // The notice: the last failure with its reason, so that it shows without the dialog's details.
    QString text() const;

  private:
    FailureDecision& m_decision;
    int m_failed = 0;
    QString m_last;
};

// The hint of a sound plan, which names the rename command by its caption.
QString planOkText(const QString& renameCaption);
// How many marked rows the last check found in trouble: "1 Konflikt", "5 Konflikte"; empty for 0.
QString troubleText(size_t rows);
inline const QString kNextTroubleHint =
    QStringLiteral("F8 springt zur nächsten Zeile mit Konflikt");

// How a run went, in a few words for the summary panel.
QString runSummaryText(const RenameRunResult& result);
// The question before an undo: which run, and how many files in which folders it gives their old
// names back.
QString undoQuestionText(const UndoPlan& plan);
