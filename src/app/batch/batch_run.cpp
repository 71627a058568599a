#include "app/batch/batch_run.h"

#include <QFile>
#include <QIODevice>

#include "app/batch/batch_options.h"
#include "list/list_selection.h"
#include "plan/file_system.h"
#include "plan/rename_plan.h"

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

void configure(RenamePlan& plan, const BatchOptions& options) {
    plan.setMaske(options.mask);
    plan.setZahlText(options.start);
    plan.setSchrittweiteText(options.step);
    plan.setSucheText(options.search);
    plan.setErsetzeText(options.replace);
    plan.setLetterCase(options.letterCase);
    plan.chooseLeadZeros(options.leadZeros);
    // The fill sorts once by this key when it ends. The never-written column is equal in every
    // row, and the list's sort is stable, so it keeps the order in which the paths came.
    FileList& list = plan.list();
    list.setSortKey(options.sortHeader == kKeepGivenOrder ? EmptyColumn
                                                          : sortKeyForHeader(options.sortHeader));
    list.setSortOrder(options.descending ? 1 : 0);
}

// Takes the digit count asked for when the check offers it; otherwise returns why not.
QString chooseDigits(RenamePlan& plan, const QString& digits) {
    if (digits.isEmpty()) {
        return {};
    }
    bool fits = false;
    const int wanted = digits.toInt(&fits);
    const qsizetype index = fits ? plan.digitChoices().indexOf(QString::number(wanted)) : -1;
    if (index >= 0) {
        plan.chooseDigitCount(static_cast<int>(index));
        return {};
    }
    const QString shown = fits ? QString::number(wanted) : digits;
    const bool tooSmall = fits && wanted < plan.MinDigits();
    return QStringLiteral("Fehler: Die Stellenzahl ") + shown +
           (tooSmall ? QStringLiteral(" ist zu klein") : QStringLiteral(" ist zu groß")) +
           QStringLiteral("; möglich sind ") + plan.digitChoices().constFirst() +
           QStringLiteral(" bis ") + plan.digitChoices().constLast() + u'.';
}

// The refusal that the fill and its check already decide, mask problems first as the window
// shows them; empty when the list and the mask pass.
QString maskOrListRefusal(const RenamePlan& plan) {
    if (!plan.verdict().MaskOK) {
        // An empty mask is the only one that fails without an error message of its own.
        return plan.verdict().hintLine.isEmpty() ? kMaskEmpty : plan.verdict().hintLine;
    }
    return plan.list().isEmpty() ? kNoFiles : QString();
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

    RenamePlan plan(fileSystem, nullptr);
    configure(plan, options);
    const FillResult fill = plan.fill(paths, FillMode::CommandLine);
    for (const QString& skipped : fill.skipped) {
        writeLine(err, QStringLiteral("Übersprungen: ").toUtf8() + native(skipped));
    }
    for (const QByteArray& skipped : fill.unrepresentable) {
        writeLine(err, QStringLiteral("Übersprungen: ").toUtf8() + skipped +
                           QStringLiteral(" (der Name ist kein gültiges UTF-8)").toUtf8());
    }

    QString refused = maskOrListRefusal(plan);
    if (refused.isEmpty()) {
        refused = chooseDigits(plan, options.digits);
    }
    if (refused.isEmpty() && !plan.verdict().PlanOK) {
        refused = plan.verdict().hintLine;
    }
    if (!refused.isEmpty()) {
        writeLine(err, refused.toUtf8());
        return kPlanRefused;
    }
    if (!options.apply) {
        for (const FileEntry& entry : plan.list()) {
            writeRenaming(out, entry.PfadName, entry.InOrdner + entry.NeuerName);
        }
        return kPlanSound;
    }
    ReportAndContinue decision(err);
    const RenameRunResult run = plan.UmTaufen(decision, {});
    for (const RenamedFile& renamed : run.renamed) {
        writeRenaming(out, renamed.from, renamed.to);
    }
    return run.failed == 0 ? kPlanSound : kRenamingFailed;
}
