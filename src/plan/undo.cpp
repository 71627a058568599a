#include "plan/undo.h"

#include <QHash>

#include "filesystem/journal_store.h"
#include "plan/rename_order.h"

namespace {

// What the undos of one run left: whether one of them ended unstopped, and the temporary names
// under which their changes of letter case may have left a file, by folder and old name.
struct UndosOfRun {
    bool complete = false;
    QHash<QString, QString> temporary;
};

// Where a run's file stands now, as far as it can be proven.
struct Finding {
    std::optional<QString> name;
    FileIdentity identity;  // as read now
    Difference differs = Difference::None;
};

Difference differenceOf(const FileIdentity& expected, const FileIdentity& found) {
    if (expected.inode != found.inode || expected.device != found.device) {
        return Difference::AnotherFile;
    }
    return expected.type != found.type ? Difference::Type : Difference::BirthTime;
}

class FileFinder {
  public:
    FileFinder(const FileSystem& fileSystem, const JournalRun& run, const UndosOfRun& undos)
        : m_fileSystem(fileSystem), m_run(run), m_undos(undos) {}

    Finding find(int e) {
        const JournalEntry& entry = m_run.plan.at(e);
        const FileIdentity identity = expected(entry);
        Finding finding;
        const QString names[] = {entry.from, entry.to, m_run.temporary.value(e),
                                 m_undos.temporary.value(entry.folder + entry.from)};
        for (const QString& name : names) {
            const NameLookup found =
                name.isEmpty() ? NameLookup{} : m_fileSystem.lookup(entry.folder, name);
            if (!found.entry) {
                continue;
            }
            if (identity.matches(*found.entry)) {
                finding.name = name;
                finding.identity = *found.entry;
                return finding;
            }
            if (name == entry.to) {
                finding.differs = differenceOf(identity, *found.entry);
            }
        }
        // Only a birth time tells a file found by its inode alone from a newcomer given the
        // inode of one deleted.
        if (identity.bornNs != 0) {
            finding.name = m_fileSystem.findByIdentity(entry.folder, identity);
            finding.identity = identity;
        }
        return finding;
    }

  private:
    // The identity the file of entry shows now: on the device its folder is on now, as a file
    // system may come back under another number; and born before the run began where its birth
    // time is not known.
    FileIdentity expected(const JournalEntry& entry) {
        FileIdentity identity = entry.identity;
        if (identity.bornNs == 0 && identity.existedNs == 0) {
            identity.existedNs = m_run.beganNs;
        }
        auto device = m_folderDevices.find(entry.folder);
        if (device == m_folderDevices.end()) {
            const std::optional<FolderStamp> stamp = m_fileSystem.folderStamp(entry.folder);
            device = m_folderDevices.insert(entry.folder, stamp ? stamp->device : 0);
        }
        if (*device != 0) {
            identity.device = *device;
        }
        return identity;
    }

    const FileSystem& m_fileSystem;
    const JournalRun& m_run;
    const UndosOfRun& m_undos;
    QHash<QString, quint64> m_folderDevices;
};

// Where the files of run stand, into plan; false when the run provably renamed nothing.
bool findFiles(const JournalRun& run, const UndosOfRun& undos, const FileSystem& fileSystem,
               UndoPlan& plan) {
    FileFinder finder(fileSystem, run, undos);
    bool renamedSomething = !run.renamed.isEmpty();
    for (int e = int(run.plan.size()) - 1; e >= 0; --e) {
        const bool known = run.outcomeKnown(e);
        // A file may stand under a temporary name though its renaming failed.
        if (known && !run.renamed.contains(e) && !run.temporary.contains(e)) {
            continue;
        }
        const JournalEntry& entry = run.plan.at(e);
        const Finding finding = finder.find(e);
        if (!finding.name) {
            // Of a file the run may not have reached, nothing can be said.
            if (known) {
                plan.missing.append({entry, RenameFailure::SourceChanged, finding.differs});
            }
            continue;
        }
        if (*finding.name != entry.from) {
            renamedSomething = true;
            plan.steps.append({entry.folder, *finding.name, entry.from, finding.identity});
        }
    }
    return renamedSomething;
}

// Tells the listener of each file given back or not.
class UndoOutcomes : public StepOutcomes {
  public:
    UndoOutcomes(const QList<JournalEntry>& steps, UndoListener& listener, UndoResult& result)
        : m_steps(steps), m_listener(listener), m_result(result) {}

    bool stopRequested() override { return m_listener.stopRequested(); }

    bool ended(int e, const RenameResult& outcome, bool) override {
        const JournalEntry& step = m_steps.at(e);
        if (outcome.renamed()) {
            m_result.restored.append({step.folder + step.from, step.folder + step.to});
            m_listener.restored(m_result.restored.last());
        } else {
            // Reported as the run's renaming: from its old name to where the file stands.
            m_result.notRestored.append(
                {{step.folder, step.to, step.from, step.identity}, outcome.failure});
            m_listener.notRestored(m_result.notRestored.last());
        }
        return true;
    }

  private:
    const QList<JournalEntry>& m_steps;
    UndoListener& m_listener;
    UndoResult& m_result;
};

}  // namespace

UndoPlan planUndo(const JournalStore& journal, const FileSystem& fileSystem) {
    UndoPlan plan;
    const QStringList names = journal.names();
    QHash<QString, UndosOfRun> undos;
    for (qsizetype i = names.size() - 1; i >= 0; --i) {
        std::optional<JournalRun> run = readJournal(journal, names.at(i));
        if (!run) {
            continue;
        }
        if (!run->undone.isEmpty()) {
            UndosOfRun& of = undos[run->undone];
            of.complete |= run->ended && !run->stopped;
            for (auto t = run->temporary.cbegin(); t != run->temporary.cend(); ++t) {
                const JournalEntry& step = run->plan.at(t.key());
                of.temporary.insert(step.folder + step.to, t.value());
            }
            continue;
        }
        // Held by its own run while that goes on, and by an undo of it.
        plan.hold = journal.hold(run->name);
        if (!plan.hold) {
            plan.busy = true;
            return plan;
        }
        if (!run->committed) {
            continue;  // its plan never became durable, so it renamed nothing
        }
        const UndosOfRun of = undos.value(run->name);
        if (of.complete) {
            plan.nothingToUndo = true;
            return plan;
        }
        plan.steps.clear();
        plan.missing.clear();
        if (findFiles(*run, of, fileSystem, plan)) {
            plan.run = std::move(*run);
            return plan;
        }
    }
    plan.hold.reset();
    plan.steps.clear();
    plan.missing.clear();
    plan.nothingToUndo = true;
    return plan;
}

UndoResult carryOutUndo(UndoPlan& plan, JournalStore& journal, FileSystem& fileSystem,
                        UndoListener& listener) {
    UndoResult result;
    result.nothingToUndo = plan.nothingToUndo;
    result.busy = plan.busy;
    if (plan.nothingToUndo || plan.busy) {
        return result;
    }
    for (const NotRestored& missing : std::as_const(plan.missing)) {
        result.notRestored.append(missing);
        listener.notRestored(missing);
    }
    // The old names the run freed in its order may be taken by the files of the run themselves now.
    const OrderedPlan order = orderPlan(plan.steps);
    const QList<JournalEntry>& steps = order.plan;
    RunJournal record;
    if (!record.begin(journal, steps, plan.run.name)) {
        result.journalError = journal.why();
        return result;
    }
    UndoOutcomes outcomes(steps, listener, result);
    result.interrupted =
        renameInOrder(record, fileSystem, steps, order.steps, outcomes) == OrderedEnd::Stopped;
    if (result.interrupted) {
        record.stopped();
    }
    if (!record.end(journal)) {
        result.journalFailure = record.failure();
    }
    plan.hold.reset();
    return result;
}

UndoResult undoLastRun(JournalStore& journal, FileSystem& fileSystem, UndoListener& listener) {
    UndoPlan plan = planUndo(journal, fileSystem);
    return carryOutUndo(plan, journal, fileSystem, listener);
}
