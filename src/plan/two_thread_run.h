#pragma once

#include <QList>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "plan/rename_order.h"

class FileSystem;
class RunJournal;

// The first step of the part of a run that a second thread may carry out beside the first, near
// the middle: every step of that part waits only for steps of its own part, so that chains and
// cycles stay on one thread, in their order, and mayBeginAt(s) allows step s to begin it. Nothing
// where the run is too small to share or no such step lies near the middle.
std::optional<size_t> secondThreadFrom(const std::vector<int>& tiedFrom,
                                       const std::function<bool(size_t)>& mayBeginAt);

// Carries out the steps as renameInOrder does, those before from on this thread and the rest on a
// second one, which renames through second: each thread looks at each of its files immediately
// before renaming it. Every outcome is recorded and told on this thread, in the order of the steps,
// so that the journal holds the outcomes of a first part of the plan whenever the run dies.
// Outcomes may not end the run: the second thread goes on without waiting for them.
OrderedEnd renameOnTwoThreads(RunJournal& record, FileSystem& fileSystem, FileSystem& second,
                              const QList<JournalEntry>& plan, std::span<const RenamingStep> steps,
                              size_t from, StepOutcomes& outcomes);
