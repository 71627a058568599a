#pragma once

#include <QList>
#include <span>
#include <vector>

#include "filesystem/file_system.h"
#include "plan/journal.h"

// One step of an ordered run: the renaming of entry e of the plan, or, where it breaks a cycle, the
// renaming of e to a temporary name of its folder, from which e's own step later takes it on.
struct RenamingStep {
    int e = 0;
    bool aside = false;
};

struct OrderedPlan {
    QList<JournalEntry> plan;  // the renamings in the order they end
    std::vector<int> given;    // the index each had in the order given
    std::vector<RenamingStep> steps;
    // For each step, the first step it must follow on the same thread: one it waits for, or the
    // first of its cycle or chain; its own index where it waits for none.
    std::vector<int> tiedFrom;
};

// An order of renamings in which the target of each is free when its turn comes, as far as the
// renamings themselves go: one whose target another still bears (ignoring letter case) in its
// folder waits for it, and a cycle of them is broken by setting one aside first. Renamings that
// wait for none keep the order given. Linear in the number of renamings.
OrderedPlan orderPlan(QList<JournalEntry> renamings);

// What a run or an undo makes of its renamings as they happen.
class StepOutcomes {
  public:
    virtual ~StepOutcomes() = default;
    // Asked before each step, but not while a file stands aside.
    virtual bool stopRequested() = 0;
    // The renaming of entry e ended so; false ends the run. Where the run ends anyway, mayAsk is
    // false and the answer does not count.
    virtual bool ended(int e, const RenameResult& result, bool mayAsk) = 0;
};

enum class OrderedEnd { Completed, Stopped, Ended };

// Carries out the steps of plan, each recorded. A file set aside that cannot take its new name
// goes back to its old one where that is free; otherwise it stays under its temporary name, which
// the journal holds. A run ended or stopped never leaves a file aside that it could move on.
OrderedEnd renameInOrder(StepRecords& record, FileSystem& fileSystem,
                         const QList<JournalEntry>& plan, std::span<const RenamingStep> steps,
                         StepOutcomes& outcomes);
