#include "app/batch/batch_run.h"

#include <QFile>
#include <QIODevice>

#include "app/batch/batch_options.h"
#include "filesystem/file_system.h"
#include "list/list_filling.h"
#include "plan/counter_fields.h"
#include "plan/folder_index_cache.h"
#include "plan/messages.h"
#include "plan/plan_check.h"
#include "plan/rename_run.h"

namespace {

const QString kMaskEmpty = QStringLiteral("Fehler: Die Maske ist leer.");
const QString kNoFiles = QStringLiteral("Fehler: Keine Dateien angegeben.");
constexpr qint64 kReadChunk = 64 * 1024;

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

void writeLine(QIODevice& device, const QByteArray& line) {
    device.write(line);
    device.write("\n", 1);
}

void writeRenaming(QIODevice& device, const QString& from, const QString& to) {
    writeLine(device, native(from) + '\t' + native(to));
}

int usageError(QIODevice& err, const QString& message) {
    writeLine(err, QStringLiteral("taufix-batch: ").toUtf8() + message.toUtf8());
    err.write(batchUsage().toUtf8());
    return kUsageError;
}

void appendItem(QByteArrayList& paths, QByteArrayView item) {
    if (!item.isEmpty()) {
        paths << item.toByteArray();
    }
}

// Appends the items of a path list, read in chunks; each byte is looked at once, so a long list
// costs linear time. False when the device fails.
bool readPathList(QIODevice& device, char separator, QByteArrayList& paths) {
    QByteArray pending;
    qsizetype scanned = 0;
    char chunk[kReadChunk];
    for (;;) {
        const qint64 got = device.read(chunk, kReadChunk);
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            break;
        }
        pending.append(chunk, got);
        qsizetype begin = 0;
        for (qsizetype end = pending.indexOf(separator, scanned); end >= 0;
             end = pending.indexOf(separator, begin)) {
            appendItem(paths, QByteArrayView(pending).sliced(begin, end - begin));
            begin = end + 1;
        }
        pending.remove(0, begin);
        scanned = pending.size();
    }
    appendItem(paths, pending);
    return true;
}

bool readListSource(const QString& name, char separator, QIODevice& in, QByteArrayList& paths) {
    if (name == u"-") {
        return readPathList(in, separator, paths);
    }
    QFile file(name);
    return file.open(QIODevice::ReadOnly) && readPathList(file, separator, paths);
}

// Reports each failed renaming on one line and goes on, as a user answering OK would.
class ReportAndContinue : public FailureDecision {
  public:
    explicit ReportAndContinue(QIODevice& err) : m_err(err) {}

    bool continueAfterFailure(const FileEntry& entry) override {
        writeLine(m_err, QStringLiteral("Folgende Datei ließ sich nicht umbenennen: ").toUtf8() +
                             native(entry.PfadName) + " --> " +
                             native(entry.InOrdner + entry.NeuerName));
        return true;
    }

  private:
    QIODevice& m_err;
};

// The list in the order asked for: sorted once by its column, or as the paths came.
void sortList(FileList& list, const BatchOptions& options) {
    if (options.sortColumn) {
        list.setSortKey(*options.sortColumn);
        list.setSortOrder(options.descending ? 1 : 0);
        list.setSorted(true);
    }
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

}  // namespace

int runBatch(const QByteArrayList& arguments, QIODevice& in, QIODevice& out, QIODevice& err,
             FileSystem& fileSystem) {
    QStringList texts;
    texts.reserve(arguments.size());
    for (const QByteArray& argument : arguments) {
        texts << QFile::decodeName(argument);
    }
    const BatchParse parse = parseBatchArguments(texts);
    switch (parse.action) {
        case BatchAction::ShowHelp:
            out.write(batchHelp().toUtf8());
            return kPlanSound;
        case BatchAction::ShowVersion:
            out.write(batchVersion().toUtf8());
            return kPlanSound;
        case BatchAction::UsageError:
            return usageError(err, parse.error);
        case BatchAction::Run:
            break;
    }
    const BatchOptions& options = parse.options;

    QByteArrayList paths;
    const char separator = options.nullSeparated ? '\0' : '\n';
    for (const PathSource& source : options.sources) {
        if (!source.isListFile) {
            paths << arguments.at(source.argument);
        } else if (!readListSource(source.text, separator, in, paths)) {
            return usageError(err, QStringLiteral("Die Pfadliste „") + source.text +
                                       QStringLiteral("“ lässt sich nicht lesen."));
        }
    }

    FileList list;
    const FillResult fill = addFiles(list, paths, FillMode::CommandLine, fileSystem);
    sortList(list, options);
    for (const QString& skipped : fill.skipped) {
        writeLine(err, QStringLiteral("Übersprungen: ").toUtf8() + native(skipped));
    }
    for (const QByteArray& skipped : fill.unrepresentable) {
        writeLine(err, QStringLiteral("Übersprungen: ").toUtf8() + skipped +
                           QStringLiteral(" (der Name ist kein gültiges UTF-8)").toUtf8());
    }

    RenameSettings settings = options.settings;
    const QString digitsRefusal = chooseDigits(settings, options.digits, list.count());
    FolderIndexCache folders;
    const PlanVerdict verdict = checkPlan(list, settings, fileSystem, folders);
    const QString refused = refusal(verdict, list, digitsRefusal);
    if (!refused.isEmpty()) {
        writeLine(err, refused.toUtf8());
        return kPlanRefused;
    }
    if (!options.apply) {
        for (const FileEntry& entry : list) {
            writeRenaming(out, entry.PfadName, entry.InOrdner + entry.NeuerName);
        }
        return kPlanSound;
    }
    ReportAndContinue decision(err);
    const RenameRunResult run = renameMarkedEntries(list, fileSystem, decision);
    for (const RenamedFile& renamed : run.renamed) {
        writeRenaming(out, renamed.from, renamed.to);
    }
    return run.failed == 0 ? kPlanSound : kRenamingFailed;
}
