#include "plan/journal.h"

#include <QDateTime>
#include <QFile>

#include <unistd.h>

#include "filesystem/journal_store.h"

namespace {

const QByteArray kHeader = "taufix-journal 1\n";

// A field may hold any byte but the ones the format uses (tab, line end and "%"), which are
// percent-encoded; the rest stays readable.
QByteArray escaped(const QString& text) {
    return QFile::encodeName(text).toPercentEncoding(" !\"#$&'()*+,-./:;<=>?@[\\]^_`{|}~");
}

QString unescaped(const QByteArray& field) {
    return QFile::decodeName(QByteArray::fromPercentEncoding(field));
}

QByteArray record(const QList<QByteArray>& fields) {
    return fields.join('\t') + '\n';
}

// Names sort by the time they were made, to the millisecond, then by process and, padded so
// that 10 follows 9, by serial.
QString newJournalName() {
    static int serial = 0;
    return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmsszzz")) +
           QStringLiteral("-%1-%2.journal").arg(::getpid()).arg(++serial, 6, 10, QChar(u'0'));
}

void keepOnlyTheNewest(JournalStore& store) {
    const QStringList names = store.names();
    for (qsizetype i = 0; i + kKeptJournals < names.size(); ++i) {
        store.remove(names.at(i));
    }
}

}  // namespace

RunJournal::RunJournal() = default;
RunJournal::~RunJournal() = default;

bool RunJournal::begin(JournalStore& store, const QList<JournalEntry>& plan,
                       const QString& undone) {
    m_writer = store.create(newJournalName());
    if (!m_writer) {
        return false;
    }
    m_writer->append(kHeader);
    m_writer->append(undone.isEmpty() ? record({"run"}) : record({"undo", escaped(undone)}));
    for (const JournalEntry& entry : plan) {
        const FileIdentity& id = entry.identity;
        m_writer->append(
            record({"plan", escaped(entry.folder), escaped(entry.from), escaped(entry.to),
                    QByteArray::number(id.device), QByteArray::number(id.inode),
                    QByteArray::number(id.type), QByteArray::number(id.bornNs)}));
    }
    m_writer->append(record({"begin"}));
    if (!m_writer->sync()) {
        m_writer.reset();
        return false;
    }
    keepOnlyTheNewest(store);
    return true;
}

RenameResult RunJournal::rename(FileSystem& fileSystem, int e, const JournalEntry& entry) {
    const RenameResult result =
        fileSystem.rename(entry.folder, entry.from, entry.to, entry.identity);
    const QByteArray number = QByteArray::number(e);
    if (!result.temporaryName.isEmpty()) {
        append({"temp", number, escaped(result.temporaryName)});
    }
    append({result.renamed() ? "done" : "failed", number});
    return result;
}

void RunJournal::append(const QList<QByteArray>& fields) {
    m_writer->append(record(fields));
}

bool RunJournal::end() {
    append({"end"});
    return m_writer->sync();
}

std::optional<JournalRun> readJournal(const JournalStore& store, const QString& name) {
    const QByteArray text = store.read(name);
    if (!text.startsWith(kHeader)) {
        return std::nullopt;
    }
    JournalRun run;
    run.name = name;
    // A run killed at any point leaves a journal cut off anywhere: what stands is used.
    for (const QByteArray& line : text.mid(kHeader.size()).split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        const QByteArray& kind = fields.at(0);
        if (kind == "undo" && fields.size() == 2) {
            run.undone = unescaped(fields[1]);
        } else if (kind == "plan" && fields.size() == 8) {
            run.plan.append({unescaped(fields[1]), unescaped(fields[2]), unescaped(fields[3]),
                             FileIdentity{fields[4].toULongLong(), fields[5].toULongLong(),
                                          fields[6].toUInt(), fields[7].toLongLong()}});
        } else if (kind == "done" && fields.size() == 2) {
            run.renamed.insert(fields[1].toInt());
        } else if (kind == "temp" && fields.size() == 3) {
            run.temporary.insert(fields[1].toInt(), unescaped(fields[2]));
        } else if (kind == "end") {
            run.ended = true;
        }
    }
    return run;
}

std::optional<LastRun> lastRun(const JournalStore& store) {
    const QStringList names = store.names();
    QSet<QString> undone;
    for (qsizetype i = names.size() - 1; i >= 0; --i) {
        std::optional<JournalRun> run = readJournal(store, names.at(i));
        if (!run) {
            continue;
        }
        if (run->undone.isEmpty()) {
            return LastRun{*run, undone.contains(run->name)};
        }
        undone.insert(run->undone);
    }
    return std::nullopt;
}
