#pragma once

#include "plan/rename_run.h"

class QObject;

// Passes a run's questions to the window thread, from whichever thread the run is on; the rest of
// what the run tells goes straight on.
class WindowThreadDecision : public FailureDecision {
  public:
    // windowSide lives on the window thread.
    WindowThreadDecision(FailureDecision& decision, QObject& windowSide)
        : m_decision(decision), m_windowSide(windowSide) {}

    bool continueAfterFailure(const FileEntry& entry, const RenameResult& result) override;
    void renamed(const FileEntry& entry) override { m_decision.renamed(entry); }
    void oldNameTaken(const FileEntry& entry) override { m_decision.oldNameTaken(entry); }
    bool stopRequested() override { return m_decision.stopRequested(); }

  private:
    FailureDecision& m_decision;
    QObject& m_windowSide;
};
