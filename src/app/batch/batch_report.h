#pragma once

#include <functional>

#include "plan/rename_run.h"
#include "plan/undo.h"

class BatchOutput;
class JournalStore;

// Tells each renaming and each failure as it happens and goes on, as a user answering OK would;
// stops when a signal asks it to.
class StreamingDecision : public FailureDecision {
  public:
    StreamingDecision(BatchOutput& output, const std::function<bool()>& stop)
        : m_output(output), m_stop(stop) {}

    bool continueAfterFailure(const FileEntry& entry, const RenameResult& result) override;
    void renamed(const FileEntry& entry) override;
    void oldNameTaken(const FileEntry& entry) override;
    // Renamings that could no longer be reported are not made.
    bool stopRequested() override;
    bool mayCancel() const override { return false; }

  private:
    BatchOutput& m_output;
    const std::function<bool()>& m_stop;
};

class StreamingUndo : public UndoListener {
  public:
    StreamingUndo(BatchOutput& output, const std::function<bool()>& stop)
        : m_output(output), m_stop(stop) {}

    void restored(const RenamedFile& file) override;
    void notRestored(const NotRestored& file) override;
    bool stopRequested() override;

  private:
    BatchOutput& m_output;
    const std::function<bool()>& m_stop;
};

// How a run or an undo ended, after what was told as it went; both return the exit status.
int reportRun(const RenameRunResult& run, BatchOutput& output);
int reportUndo(const UndoResult& undo, BatchOutput& output);

// --undo --list: every kept journal, newest first, with what became of each renaming.
int listJournal(const JournalStore& journal, BatchOutput& output);
