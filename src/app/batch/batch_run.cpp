#include "app/batch/batch_run.h"

#include <QFile>
#include <QIODevice>
#include <cerrno>

#include "app/batch/batch_options.h"
#include "app/batch/batch_output.h"
#include "app/batch/path_list.h"
#include "engine/new_names.h"
#include "filesystem/error_text.h"
#include "filesystem/file_system.h"
#include "filesystem/folder_index_cache.h"
#include "filesystem/journal_store.h"
#include "list/list_filling.h"
#include "plan/counter_fields.h"
#include "plan/messages.h"
#include "plan/plan_check.h"
#include "plan/rename_run.h"
#include "plan/undo.h"

namespace {

const QString kMaskEmpty = QStringLiteral("Fehler: Die Maske ist leer.");
const QString kNoFiles = QStringLiteral("Fehler: Keine Dateien angegeben.");
const QString kAllSkipped = QStringLiteral("Fehler: Alle angegebenen Pfade wurden übersprungen.");
const QString kSkipped = QStringLiteral("Übersprungen: ");

int usageError(QIODevice& err, const QString& message) {
    err.write(QStringLiteral("taufix-batch: ").toUtf8() + message.toUtf8() + '\n');
    err.write(batchUsage().toUtf8());
    return kUsageError;
}

QString journalRefusal(const QString& why) {
    return QStringLiteral("Fehler: ") + journalRefusalText(why);
}

QString journalStop(const QString& why) {
    return QStringLiteral("Fehler: Das Protokoll lässt sich nicht weiterschreiben (") + why +
           QStringLiteral("); nach der Datei, die gerade umbenannt wurde, angehalten.");
}

// Reports each renaming and each failure as it happens and goes on, as a user answering OK
// would; stops when a signal asks it to.
class StreamingDecision : public FailureDecision {
  public:
    StreamingDecision(BatchOutput& output, const std::function<bool()>& stop)
        : m_output(output), m_stop(stop) {}

    bool continueAfterFailure(const FileEntry& entry, const RenameResult& result) override {
        m_output.failure(QStringLiteral("Folgende Datei ließ sich nicht umbenennen: "),
                         entry.PfadName(), entry.newPath(), reasonText(result));
        return true;
    }
    void renamed(const FileEntry& entry) override {
        m_output.renaming(entry.InOrdner(), entry.AlterName(), entry.NeuerName);
    }
    void oldNameTaken(const FileEntry& entry) override {
        m_output.messageAbout(QStringLiteral("Hinweis: "), QFile::encodeName(entry.PfadName()),
                              QStringLiteral(": ") + oldNameTakenText());
    }
    // Renamings that could no longer be reported are not made.
    bool stopRequested() override { return m_stop() || m_output.outFailed(); }

  private:
    BatchOutput& m_output;
    const std::function<bool()>& m_stop;
};

class StreamingUndo : public UndoListener {
  public:
    StreamingUndo(BatchOutput& output, const std::function<bool()>& stop)
        : m_output(output), m_stop(stop) {}

    void restored(const RenamedFile& file) override { m_output.renaming({}, file.from, file.to); }
    void notRestored(const NotRestored& file) override {
        const JournalEntry& entry = file.entry;
        m_output.failure(QStringLiteral("Folgende Datei ließ sich nicht zurückbenennen: "),
                         entry.folder + entry.to, entry.folder + entry.from, undoReasonText(file));
    }
    bool stopRequested() override { return m_stop() || m_output.outFailed(); }

  private:
    BatchOutput& m_output;
    const std::function<bool()>& m_stop;
};

// "12 umbenannt, 1 fehlgeschlagen.", with the files left as they were where there are any.
QString summary(qsizetype done, qsizetype failed, const char* doneWord, bool interrupted,
                qsizetype unchanged = 0) {
    return QString::number(done) + u' ' + QString::fromUtf8(doneWord) + QStringLiteral(", ") +
           (unchanged > 0 ? QString::number(unchanged) + QStringLiteral(" unverändert, ")
                          : QString()) +
           QString::number(failed) + QStringLiteral(" fehlgeschlagen") +
           (interrupted ? QStringLiteral(", abgebrochen") : QString()) + u'.';
}

int exitStatus(qsizetype failed, bool interrupted, bool journalFailed) {
    return journalFailed ? kWriteFailed
           : interrupted ? kInterrupted
           : failed > 0  ? kRenamingFailed
                         : kPlanSound;
}

// --undo --list: every kept journal, newest first, with what became of each renaming.
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
            output.outLine((done ? "  umbenannt: " : "  nicht umbenannt: ") +
                           readablePath(QFile::encodeName(entry.folder + entry.from)) + " --> " +
                           readablePath(QFile::encodeName(entry.to)));
        }
    }
    return kPlanSound;
}

int undo(BatchEnvironment& environment, BatchOutput& output) {
    StreamingUndo listener(output, environment.stopRequested);
    environment.runUnderWay(true);
    const UndoResult result = undoLastRun(environment.journal, environment.fileSystem, listener);
    environment.runUnderWay(false);
    if (result.nothingToUndo) {
        output.message(QStringLiteral(
            "Es gibt keinen Lauf, der rückgängig zu machen wäre; der letzte ist es schon."));
        return kPlanSound;
    }
    if (result.busy) {
        output.message(QStringLiteral("Fehler: ") + undoBusyText() +
                       QStringLiteral("; nichts wurde zurückbenannt."));
        return kPlanRefused;
    }
    if (result.journalError) {
        output.message(journalRefusal(*result.journalError));
        return kPlanRefused;
    }
    if (result.journalFailure) {
        output.message(journalStop(*result.journalFailure));
    }
    output.message(summary(result.restored.size(), result.notRestored.size(), "zurückbenannt",
                           result.interrupted));
    return exitStatus(result.notRestored.size(), result.interrupted,
                      result.journalFailure.has_value());
}

// The list in the order asked for: sorted once by its column, or as the paths came.
void sortList(FileList& list, const BatchOptions& options) {
    if (options.sortColumn) {
        list.setSortKey(*options.sortColumn);
        list.setSortOrder(options.descending ? 1 : 0);
        list.setSorted(true);
    }
}

bool needsSizeOrTime(const BatchOptions& options) {
    return options.sortColumn == SortGroesseColumn || options.sortColumn == SortDatumColumn ||
           usesModificationTime(TranslateMaske(options.settings.Maske).MaskTokens);
}

// Takes the digit count asked for when it is among those offered; otherwise returns why not.
QString chooseDigits(RenameSettings& settings, const QString& digits, int entryCount) {
    const DigitChoices choices = InitStellenAnzahl(settings.Start, settings.Step, entryCount);
    settings.Digits = choices.MinDigits;
    if (digits.isEmpty()) {
        return {};
    }
    bool fits = false;
    const int wanted = digits.toInt(&fits);
    if (fits && choices.offers(wanted)) {
        settings.Digits = wanted;
        return {};
    }
    const QString shown = fits ? QString::number(wanted) : digits;
    const bool tooSmall = fits && wanted < choices.MinDigits;
    return QStringLiteral("Fehler: Die Stellenzahl ") + shown +
           (tooSmall ? QStringLiteral(" ist zu klein") : QStringLiteral(" ist zu groß")) +
           QStringLiteral("; möglich sind ") + QString::number(choices.MinDigits) +
           QStringLiteral(" bis ") + QString::number(choices.largest) + u'.';
}

// Why the plan is refused, in the order the window would show it: mask problems first, then an
// empty list, the digit count, and the verdict's own failure. Empty when the plan passes.
QString refusal(const PlanVerdict& verdict, const FileList& list, const QString& digitsRefusal) {
    if (!verdict.MaskOK) {
        // An empty mask is the only one that fails without an error message of its own.
        return verdict.maskError ? failureMessage(verdict) : kMaskEmpty;
    }
    if (list.isEmpty()) {
        return kNoFiles;
    }
    if (!digitsRefusal.isEmpty()) {
        return digitsRefusal;
    }
    return failureMessage(verdict);
}

// Each marked file whose new name fails, with why; a file that gets the same name is named by
// its current one, which stands in the same folder.
void reportRowsInTrouble(const PlanVerdict& verdict, const FileList& list, BatchOutput& output) {
    for (const RowVerdict& row : verdict.names.rows) {
        const QString other = row.sameAs > 0 ? QString::fromUtf8(readablePath(QFile::encodeName(
                                                   list.at(row.sameAs).AlterName().toString())))
                                             : QString();
        output.messageAbout(
            QStringLiteral("Konflikt: "), QFile::encodeName(list.at(row.row).PfadName()),
            QStringLiteral(" (") + faultTexts(row, other).join(QStringLiteral("; ")) + u')');
    }
}

}  // namespace

int runBatch(const QByteArrayList& arguments, BatchEnvironment& environment) {
    QStringList texts;
    QList<bool> validText;
    texts.reserve(arguments.size());
    for (const QByteArray& argument : arguments) {
        texts << QFile::decodeName(argument);
        validText << (QFile::encodeName(texts.last()) == argument);
    }
    const BatchParse parse = parseBatchArguments(texts, validText);
    QIODevice& out = environment.out;
    QIODevice& err = environment.err;
    switch (parse.action) {
        case BatchAction::ShowHelp:
            writeOut(out, batchHelp().toUtf8(), environment.outError);
            return kPlanSound;
        case BatchAction::ShowVersion:
            writeOut(out, batchVersion().toUtf8(), environment.outError);
            return kPlanSound;
        case BatchAction::UsageError:
            return usageError(err, parse.error);
        case BatchAction::Run:
            break;
    }
    const BatchOptions& options = parse.options;
    BatchOutput output(out, err, environment.outError, options.print0, environment.lineByLine);
    if (options.undo) {
        return options.list ? listJournal(environment.journal, output) : undo(environment, output);
    }

    QByteArrayList paths;
    const char separator = options.nullSeparated ? '\0' : '\n';
    for (const PathSource& source : options.sources) {
        if (!source.isListFile) {
            paths << arguments.at(source.argument);
            continue;
        }
        QFile file(source.text);
        QIODevice& device = source.text == u"-" ? environment.in : file;
        const PathListResult read = &device == &file && !file.open(QIODevice::ReadOnly)
                                        ? PathListResult::Unreadable
                                        : readPathList(device, separator, paths);
        if (read == PathListResult::Unreadable) {
            return usageError(err, QStringLiteral("Die Pfadliste „") + source.text +
                                       QStringLiteral("“ lässt sich nicht lesen."));
        }
        if (read == PathListResult::ItemTooLong) {
            return usageError(err, QStringLiteral("Die Pfadliste „") + source.text +
                                       QStringLiteral("“ enthält einen Eintrag von mehr als ") +
                                       QString::number(kLongestPath) + QStringLiteral(" Bytes."));
        }
    }

    FileList list;
    FolderIndexCache folders(FolderIndexCache::Keeping::OnePass);
    const bool pathsGiven = !paths.isEmpty();
    const FillResult fill =
        needsSizeOrTime(options)
            ? addFiles(list, paths, FillMode::CommandLine, environment.fileSystem)
            : addListedFiles(list, std::move(paths), environment.fileSystem, folders);
    paths.clear();
    sortList(list, options);
    for (const QString& skipped : fill.skipped) {
        output.messageAbout(kSkipped, QFile::encodeName(skipped));
    }
    for (const QByteArray& skipped : fill.unrepresentable) {
        output.messageAbout(kSkipped, skipped,
                            QStringLiteral(" (der Name ist kein gültiges UTF-8)"));
    }
    for (const QByteArray& skipped : fill.unresolvable) {
        output.messageAbout(kSkipped, skipped,
                            QStringLiteral(" (der aktuelle Ordner lässt sich nicht bestimmen)"));
    }

    RenameSettings settings = options.settings;
    const QString digitsRefusal = chooseDigits(settings, options.digits, list.count());
    const PlanVerdict verdict = checkPlan(list, settings, environment.fileSystem, folders);
    QString refused = refusal(verdict, list, digitsRefusal);
    if (refused == kNoFiles && pathsGiven) {
        refused = kAllSkipped;
    }
    if (!refused.isEmpty()) {
        // Names made with another digit count than the one asked for are no plan of the user's.
        if (digitsRefusal.isEmpty()) {
            reportRowsInTrouble(verdict, list, output);
        }
        output.message(refused);
        return kPlanRefused;
    }
    if (!options.apply) {
        for (const FileEntry& entry : list) {
            if (output.outFailed()) {
                break;  // nobody would see the rest
            }
            output.renaming(entry.InOrdner(), entry.AlterName(), entry.NeuerName);
        }
        return kPlanSound;
    }
    StreamingDecision decision(output, environment.stopRequested);
    environment.runUnderWay(true);
    const RenameRunResult run =
        renameMarkedEntries(list, environment.fileSystem, environment.journal, decision);
    environment.runUnderWay(false);
    if (run.journalError) {
        output.message(journalRefusal(*run.journalError));
        return kPlanRefused;
    }
    if (run.journalFailure) {
        output.message(journalStop(*run.journalFailure));
    }
    output.message(summary(run.renamed, run.failed, "umbenannt", run.interrupted, run.unchanged));
    return exitStatus(run.failed, run.interrupted, run.journalFailure.has_value());
}

int finishBatch(int status, BatchEnvironment& environment) {
    if (environment.outError == 0) {
        return status;
    }
    // The reader has gone, as when a pipe's reader such as head has read enough.
    if (environment.outError == EPIPE) {
        return kInterrupted;
    }
    environment.err.write(
        (QStringLiteral("Fehler: Die Standardausgabe lässt sich nicht schreiben (") +
         errorText(environment.outError) + QStringLiteral(").\n"))
            .toUtf8());
    return kWriteFailed;
}
