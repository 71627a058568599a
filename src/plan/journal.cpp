#include "plan/journal.h"

#include <QDateTime>
#include <QFile>
#include <charconv>
#include <concepts>
#include <iterator>

#include <unistd.h>

#include "filesystem/journal_store.h"
#include "filesystem/native_text.h"

namespace {

const QByteArray kHeader = "taufix-journal 1\n";

// A field may hold any byte but the ones the format uses (tab, line end and "%"), which are
// percent-encoded, as are other control characters and bytes beyond ASCII; the rest stays
// readable.
constexpr char kPercent = '%';

QByteArray percentEncoded(const QByteArray& bytes) {
    return bytes.toPercentEncoding(" !\"#$&'()*+,-./:;<=>?@[\\]^_`{|}~");
}

void appendField(std::string& bytes, QStringView text) {
    appendNativeEscaped(bytes, {}, text, kPercent, percentEncoded);
}

QString unescaped(const QByteArray& field) {
    return QFile::decodeName(QByteArray::fromPercentEncoding(field));
}

// A record built field by field in one buffer, kept from one line to the next.
class Line {
  public:
    explicit Line(std::string& buffer, const char* kind) : m_buffer(buffer) {
        m_buffer.assign(kind);
    }
    Line& operator<<(QStringView text) {
        m_buffer += '\t';
        appendField(m_buffer, text);
        return *this;
    }
    // A field made already.
    Line& operator<<(const std::string& field) {
        m_buffer += '\t';
        m_buffer += field;
        return *this;
    }
    template <std::integral Number>
    Line& operator<<(Number number) {
        char digits[24];
        const auto end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
        m_buffer += '\t';
        m_buffer.append(digits, end);
        return *this;
    }
    QByteArrayView done() {
        m_buffer += '\n';
        return QByteArrayView(m_buffer.data(), static_cast<qsizetype>(m_buffer.size()));
    }

  private:
    std::string& m_buffer;
};

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

bool RunJournal::open(JournalStore& store, const QString& undone) {
    m_writer = store.create(newJournalName());
    if (!m_writer) {
        return false;
    }
    m_writer->append(kHeader);
    m_writer->append(undone.isEmpty() ? Line(m_line, "run").done()
                                      : (Line(m_line, "undo") << undone).done());
    return true;
}

void RunJournal::plan(QStringView folder, QStringView from, QStringView to,
                      const FileIdentity& identity) {
    m_writer->append((Line(m_line, "plan")
                      << m_folderField.of(folder, appendField) << from << to << identity.device
                      << identity.inode << identity.type << identity.bornNs)
                         .done());
}

bool RunJournal::commitPlan(JournalStore& store) {
    m_writer->append(Line(m_line, "begin").done());
    if (!m_writer->sync()) {
        m_writer.reset();
        return false;
    }
    keepOnlyTheNewest(store);
    return true;
}

bool RunJournal::begin(JournalStore& store, const QList<JournalEntry>& plan,
                       const QString& undone) {
    if (!open(store, undone)) {
        return false;
    }
    for (const JournalEntry& entry : plan) {
        this->plan(entry.folder, entry.from, entry.to, entry.identity);
    }
    return commitPlan(store);
}

RenameResult RunJournal::rename(FileSystem& fileSystem, int e, QStringView folder, QStringView from,
                                QStringView to, const FileIdentity& identity) {
    const RenameResult result = fileSystem.rename(folder, from, to, identity);
    if (!result.temporaryName.isEmpty()) {
        m_writer->append((Line(m_line, "temp") << e << result.temporaryName).done());
    }
    Line line(m_line, result.renamed() ? "done" : "failed");
    line << e;
    if (result.renamed() && identity.bornNs == 0 && result.bornNs != 0) {
        // The plan did not know the file's birth time: the undo shall know it.
        line << result.bornNs;
    }
    m_writer->append(line.done());
    return result;
}

bool RunJournal::end() {
    m_writer->append(Line(m_line, "end").done());
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
        } else if (kind == "done" && (fields.size() == 2 || fields.size() == 3)) {
            const int e = fields[1].toInt();
            run.renamed.insert(e);
            if (fields.size() == 3 && e >= 0 && e < run.plan.size()) {
                run.plan[e].identity.bornNs = fields[2].toLongLong();
            }
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
