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

// How a run went, in a few words for the summary panel.
QString runSummaryText(const RenameRunResult& result);
// The question before an undo: which run, and how many files in which folders it gives their old
// names back.
QString undoQuestionText(const UndoPlan& plan);
