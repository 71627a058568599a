#include "app/batch/batch_report.h"

#include <algorithm>

#include "app/batch/batch_output.h"
#include "app/batch/batch_run.h"
#include "filesystem/journal_store.h"
#include "list/file_entry.h"
#include "plan/journal.h"
#include "plan/messages.h"

namespace {

// The end both a run and an undo have: nothing renamed when their journal could not be
// written, a stop when it failed midway, and the counts.
int reportEnd(const std::optional<QString>& journalError,
              const std::optional<QString>& journalFailure, const QString& counts, qsizetype failed,
              bool interrupted, BatchOutput& output) {
    if (journalError) {
        output.message(QStringLiteral("Fehler: ") + journalRefusalText(*journalError));
        return kPlanRefused;
    }
    if (journalFailure) {
        output.message(
            QStringLiteral("Fehler: Das Protokoll lässt sich nicht weiterschreiben (") +
            *journalFailure +
            QStringLiteral("); nach der Datei, die gerade umbenannt wurde, angehalten."));
    }
    output.message(counts + u'.');
    return journalFailure ? kWriteFailed
           : interrupted  ? kInterrupted
           : failed > 0   ? kRenamingFailed
                          : kPlanSound;
}

}  // namespace

bool StreamingDecision::continueAfterFailure(const FileEntry& entry, const RenameResult& result) {
    m_output.failure(renameFailedText() + u' ', entry.PfadName(), entry.newPath(),
                     reasonText(result));
    return true;
}

void StreamingDecision::renamed(const FileEntry& entry) {
    m_output.renaming(entry.InOrdner(), entry.AlterName(), entry.NeuerName);
}

void StreamingDecision::oldNameTaken(const FileEntry& entry) {
    m_output.message(
        hintText(readablePath(entry.PfadName()) + QStringLiteral(": ") + oldNameTakenText()));
}

bool StreamingDecision::stopRequested() {
    return m_stop() || m_output.outFailed();
}

void StreamingUndo::restored(const RenamedFile& file) {
    m_output.renaming({}, file.from, file.to);
}

void StreamingUndo::notRestored(const NotRestored& file) {
    const JournalEntry& entry = file.entry;
    m_output.failure(QStringLiteral("Folgende Datei ließ sich nicht zurückbenennen: "),
                     entry.folder + entry.to, entry.folder + entry.from, undoReasonText(file));
}

bool StreamingUndo::stopRequested() {
    return m_stop() || m_output.outFailed();
}

int reportRun(const RenameRunResult& run, BatchOutput& output) {
    return reportEnd(run.journalError, run.journalFailure,
                     runCountsText(run.renamed, run.unchanged, run.failed, run.interrupted),
                     run.failed, run.interrupted, output);
}

int reportUndo(const UndoResult& undo, BatchOutput& output) {
    if (undo.nothingToUndo) {
        output.message(QStringLiteral(
            "Es gibt keinen Lauf, der rückgängig zu machen wäre; der letzte ist es schon."));
        return kPlanSound;
    }
    if (undo.busy) {
        output.message(QStringLiteral("Fehler: ") + undoBusyText() +
                       QStringLiteral("; nichts wurde zurückbenannt."));
        return kPlanRefused;
    }
    const qsizetype failed = undo.notRestored.size();
    return reportEnd(undo.journalError, undo.journalFailure,
                     undoCountsText(undo.restored.size(), failed, undo.interrupted), failed,
                     undo.interrupted, output);
}

int listJournal(const JournalStore& journal, BatchOutput& output) {
    QStringList names = journal.names();
    std::reverse(names.begin(), names.end());
    if (names.isEmpty()) {
        output.message(QStringLiteral("Es gibt noch kein Protokoll."));
    }
    for (const QString& name : names) {
        const std::optional<JournalRun> run = readJournal(journal, name);
        if (!run) {
            continue;
        }
        const QString heading =
            (run->undone.isEmpty() ? QStringLiteral("Lauf ")
                                   : QStringLiteral("Rückgängig gemacht: ") + run->undone +
                                         QStringLiteral(" durch ")) +
            name + (run->ended ? QString() : QStringLiteral(" (nicht beendet)"));
        output.outLine(heading.toUtf8());
        for (qsizetype e = 0; e < run->plan.size() && !output.outFailed(); ++e) {
            const JournalEntry& entry = run->plan.at(e);
            const bool done = run->renamed.contains(static_cast<int>(e));
            const QString renaming =
                renamingText(readablePath(entry.folder + entry.from), readablePath(entry.to));
            output.outLine((done ? "  umbenannt: " : "  nicht umbenannt: ") + renaming.toUtf8());
        }
    }
    return kPlanSound;
}
