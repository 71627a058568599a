#include "app/batch/batch_run.h"

#include <QFile>
#include <QIODevice>
#include <cerrno>

#include "app/batch/batch_options.h"
#include "app/batch/batch_output.h"
#include "app/batch/batch_report.h"
#include "engine/new_names.h"
#include "filesystem/error_text.h"
#include "filesystem/journal_store.h"
#include "list/folder_files.h"
#include "list/list_filling.h"
#include "list/path_list.h"
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

// The arguments parsed as text, each told whether its bytes survive the way to text and back.
BatchParse parseArguments(const QByteArrayList& arguments) {
    QStringList texts;
    QList<bool> validText;
    texts.reserve(arguments.size());
    for (const QByteArray& argument : arguments) {
        texts << QFile::decodeName(argument);
        validText << (QFile::encodeName(texts.last()) == argument);
    }
    return parseBatchArguments(texts, validText);
}

// What a parse that asks for no run answers: the help, the version or the usage error.
int answerWithoutRun(const BatchParse& parse, BatchEnvironment& environment) {
    if (parse.action == BatchAction::UsageError) {
        return usageError(environment.err, parse.error);
    }
    const QString text = parse.action == BatchAction::ShowHelp ? batchHelp() : batchVersion();
    writeOut(environment.out, text.toUtf8(), environment.outError);
    return kPlanSound;
}

// The paths in the order given: each path argument's own bytes, each path list's items where
// its option stood. Nothing, once said why, when a list cannot be read.
std::optional<QByteArrayList> takePaths(const QByteArrayList& arguments,
                                        const BatchOptions& options,
                                        BatchEnvironment& environment) {
    QByteArrayList paths;
    const char separator = options.nullSeparated ? '\0' : '\n';
    for (const PathSource& source : options.sources) {
        if (!source.isListFile) {
            paths << arguments.at(source.argument);
            continue;
        }
        const PathListResult read = readPathList(source.text, environment.in, separator, paths);
        if (read == PathListResult::Read) {
            continue;
        }
        usageError(environment.err, pathListError(source.text, read));
        return std::nullopt;
    }
    return paths;
}

// --undo: the last run taken back, each file told as it gets its old name again.
int undo(BatchEnvironment& environment, BatchOutput& output) {
    StreamingUndo listener(output, environment.stopRequested);
    environment.runUnderWay(true);
    const UndoResult result = undoLastRun(environment.journal, environment.fileSystem, listener);
    environment.runUnderWay(false);
    return reportUndo(result, output);
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
    if (verdict.searchError) {
        return failureMessage(verdict);
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
        const QString other =
            row.sameAs > 0 ? readablePath(list.at(row.sameAs).AlterName().toString()) : QString();
        output.messageAbout(
            QStringLiteral("Konflikt: "), QFile::encodeName(list.at(row.row).PfadName()),
            QStringLiteral(" (") + faultTexts(row, other).join(QStringLiteral("; ")) + u')');
    }
}

// A renaming run once its paths are taken, phase by phase: the list filled, the plan checked,
// then shown or carried out.
class RenamingRun {
  public:
    RenamingRun(const BatchOptions& options, BatchEnvironment& environment, BatchOutput& output)
        : m_options(options), m_environment(environment), m_output(output) {}

    // The files the paths name, in the order asked for; each path left out is told.
    void takeIn(QByteArrayList paths) {
        m_pathsGiven = !paths.isEmpty();
        const EntryDetail detail =
            needsSizeOrTime(m_options) ? EntryDetail::SizeAndTime : EntryDetail::Identity;
        if (m_options.recursive) {
            paths = openFolders(paths, FolderScope::FilesInSubfolders, m_environment.fileSystem);
        }
        PassFill fill = fillOnePass(m_list, std::move(paths), detail, m_environment.fileSystem);
        m_folders = std::move(fill.folders);
        if (m_options.sortColumn) {
            m_list.setSortKey(*m_options.sortColumn);
            m_list.setSortOrder(m_options.descending ? 1 : 0);
            m_list.setSorted(true);
        }
        for (const QString& skipped : fill.skipped) {
            m_output.messageAbout(kSkipped, QFile::encodeName(skipped));
        }
        for (const QByteArray& skipped : fill.unrepresentable) {
            m_output.messageAbout(kSkipped, skipped,
                                  QStringLiteral(" (der Name ist kein gültiges UTF-8)"));
        }
        for (const QByteArray& skipped : fill.unresolvable) {
            m_output.messageAbout(
                kSkipped, skipped,
                QStringLiteral(" (der aktuelle Ordner lässt sich nicht bestimmen)"));
        }
    }

    // Chooses the digit count and writes and checks the new names; false, once said why, when
    // the plan is refused. A run to be carried out is prepared, its journal written, while the
    // names are checked (the check passes only once it is): the run is under way from here on.
    bool check() {
        RenameSettings settings = m_options.settings;
        const QString digitsRefusal = chooseDigits(settings, m_options.digits, m_list.count());
        JournalStore& journal = m_environment.journal;
        m_environment.runUnderWay(m_options.apply);
        const auto prepare = [this, &journal] {
            m_prepared = prepareRun(m_list, journal);
            m_environment.phaseEnded("Protokoll gesichert (parallel)");
        };
        const PlanVerdict verdict =
            checkPlan(m_list, settings, m_environment.fileSystem, *m_folders, {}, MediaReads::Here,
                      m_options.apply ? prepare : std::function<void()>());
        QString refused = refusal(verdict, m_list, digitsRefusal);
        if (refused == kNoFiles && m_pathsGiven) {
            refused = kAllSkipped;
        }
        if (refused.isEmpty()) {
            return true;
        }
        if (m_prepared) {
            dropRun(*m_prepared, journal);
        }
        m_environment.runUnderWay(false);
        // Names made with another digit count than the one asked for are no plan of the user's.
        if (digitsRefusal.isEmpty()) {
            reportRowsInTrouble(verdict, m_list, m_output);
        }
        m_output.message(refused);
        return false;
    }

    // The dry run: each renaming the plan would make.
    int showPlan() {
        for (const FileEntry& entry : m_list) {
            if (m_output.outFailed()) {
                break;  // nobody would see the rest
            }
            m_output.renaming(entry.InOrdner(), entry.AlterName(), entry.NeuerName);
        }
        return kPlanSound;
    }

    // The plan carried out, its journal written ahead: each renaming and failure told as it
    // happens, then a summary.
    int renameAndReport() {
        StreamingDecision decision(m_output, m_environment.stopRequested);
        const RenameRunResult run = carryOutRun(*m_prepared, m_list, m_environment.fileSystem,
                                                m_environment.journal, decision);
        m_environment.runUnderWay(false);
        m_environment.phaseEnded("umbenannt");
        return reportRun(run, m_output);
    }

  private:
    const BatchOptions& m_options;
    BatchEnvironment& m_environment;
    BatchOutput& m_output;
    FileList m_list;
    bool m_pathsGiven = false;
    std::shared_ptr<FolderIndexCache> m_folders;  // those the fill read
    std::unique_ptr<PreparedRun> m_prepared;      // with --apply, once the names are made
};

}  // namespace

int runBatch(const QByteArrayList& arguments, BatchEnvironment& environment) {
    const BatchParse parse = parseArguments(arguments);
    if (parse.action != BatchAction::Run) {
        return answerWithoutRun(parse, environment);
    }
    const BatchOptions& options = parse.options;
    BatchOutput output(environment.out, environment.err, environment.outError, options.print0,
                       environment.lineByLine);
    if (options.undo) {
        return options.list ? listJournal(environment.journal, output) : undo(environment, output);
    }
    std::optional<QByteArrayList> paths = takePaths(arguments, options, environment);
    if (!paths) {
        return kUsageError;
    }
    environment.phaseEnded("Pfade gelesen");
    RenamingRun run(options, environment, output);
    run.takeIn(std::move(*paths));
    environment.phaseEnded("Ordner gelesen");
    if (!run.check()) {
        return kPlanRefused;
    }
    environment.phaseEnded("Plan geprüft");
    return options.apply ? run.renameAndReport() : run.showPlan();
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
