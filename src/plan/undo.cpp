#include "plan/undo.h"

#include "filesystem/journal_store.h"

namespace {

bool bears(const FileSystem& fileSystem, const JournalEntry& entry, const QString& name) {
    const NameLookup found = fileSystem.lookup(entry.folder, name);
    return found.entry && entry.identity.matches(*found.entry);
}

// Where the run left the file of entry: its new name, its old one, a temporary name of a
// change of letter case, or any name of its folder. Nothing when no file of its identity is left.
std::optional<QString> currentName(const FileSystem& fileSystem, const JournalRun& run, int e) {
    const JournalEntry& entry = run.plan.at(e);
    for (const QString& name : {entry.to, entry.from, run.temporary.value(e)}) {
        if (!name.isEmpty() && bears(fileSystem, entry, name)) {
            return name;
        }
    }
    return fileSystem.findByIdentity(entry.folder, entry.identity);
}

}  // namespace

UndoResult undoLastRun(JournalStore& journal, FileSystem& fileSystem, UndoListener& listener) {
    UndoResult result;
    const std::optional<LastRun> last = lastRun(journal);
    if (!last || last->undone) {
        result.nothingToUndo = true;
        return result;
    }
    const JournalRun& run = last->run;
    // The plan of the undo: each file still to be given its old name, the last renamed first.
    QList<JournalEntry> plan;
    for (qsizetype e = run.plan.size() - 1; e >= 0; --e) {
        const JournalEntry& entry = run.plan.at(e);
        const std::optional<QString> name = currentName(fileSystem, run, static_cast<int>(e));
        if (!name) {
            result.notRestored.append({entry, RenameFailure::SourceChanged});
            listener.notRestored(result.notRestored.last());
        } else if (*name != entry.from) {
            plan.append({entry.folder, *name, entry.from, entry.identity});
        }
    }
    RunJournal record;
    if (!record.begin(journal, plan, run.name)) {
        result.journalError = journal.why();
        return result;
    }
    for (qsizetype e = 0; e < plan.size(); ++e) {
        if (listener.stopRequested()) {
            result.interrupted = true;
            break;
        }
        const JournalEntry& entry = plan.at(e);
        const RenameResult outcome = record.rename(fileSystem, static_cast<int>(e), entry);
        if (outcome.renamed()) {
            result.restored.append({entry.folder + entry.from, entry.folder + entry.to});
            listener.restored(result.restored.last());
        } else {
            // Reported as the run's renaming: from its old name to where the file stands.
            result.notRestored.append(
                {{entry.folder, entry.to, entry.from, entry.identity}, outcome.failure});
            listener.notRestored(result.notRestored.last());
        }
    }
    record.end();
    return result;
}
