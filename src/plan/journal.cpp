#include "plan/journal.h"

#include <QCoreApplication>
#include <QFile>
#include <charconv>
#include <concepts>
#include <iterator>

#include "filesystem/journal_store.h"
#include "filesystem/native_text.h"
#include "filesystem/temporary_name.h"

namespace {

const QByteArray kHeader = "taufix-journal 2\n";
constexpr int kAsideAttempts = 100;

// Journals of the version before, which lacked the time and program of a run, are read alike.
const QByteArray kFirstHeader = "taufix-journal 1\n";

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

// The newest are the last in the order of the runs, whatever the clock said; a journal whose run
// or undo still goes on stays.
void keepOnlyTheNewest(JournalStore& store) {
    const QStringList names = store.names();
    for (qsizetype i = 0; i + kKeptJournals < names.size(); ++i) {
        if (store.hold(names.at(i))) {
            store.remove(names.at(i));
        }
    }
}

}  // namespace

RunJournal::RunJournal() = default;
RunJournal::~RunJournal() = default;

bool RunJournal::open(JournalStore& store, const QString& undone) {
    m_writer = store.create();
    if (!m_writer) {
        return false;
    }
    m_writer->append(kHeader);
    Line line(m_line, undone.isEmpty() ? "run" : "undo");
    line << fileSystemClockNs() << QCoreApplication::applicationName();
    if (!undone.isEmpty()) {
        line << undone;
    }
    m_writer->append(line.done());
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
        // Its plan never became durable, so no renaming follows it: it is no run to keep.
        store.setWhy(m_writer->why());
        const QString name = m_writer->name();
        m_writer.reset();
        store.remove(name);
        return false;
    }
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

void RunJournal::discard(JournalStore& store) {
    const QString name = m_writer->name();
    m_writer.reset();
    store.remove(name);
}

RenameResult RunJournal::rename(FileSystem& fileSystem, int e, QStringView folder, QStringView from,
                                QStringView to, const FileIdentity& identity) {
    const RenameResult result = fileSystem.rename(folder, from, to, identity);
    record(e, result, identity);
    return result;
}

void RunJournal::record(int e, const RenameResult& result, const FileIdentity& identity) {
    const std::lock_guard lock(m_writing);
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
}

bool RunJournal::recordAside(int e, const QString& name) {
    const std::lock_guard lock(m_writing);
    m_writer->append((Line(m_line, "temp") << e << name).done());
    return m_writer->sync();
}

RenameResult RunJournal::setAside(FileSystem& fileSystem, int e, const JournalEntry& entry) {
    RenameResult result{RenameFailure::Other, {}};
    for (int attempt = 0; attempt < kAsideAttempts; ++attempt) {
        // Written ahead, the name tells an undo where to look whenever the run dies.
        const QString name = temporaryName();
        if (!recordAside(e, name)) {
            return result;
        }
        result = fileSystem.rename(entry.folder, entry.from, name, entry.identity);
        if (result.failure != RenameFailure::TargetExists) {
            result.temporaryName = result.renamed() ? name : QString();
            return result;
        }
    }
    return result;
}

bool RunJournal::failed() const {
    const std::lock_guard lock(m_writing);
    return m_writer && m_writer->failed();
}

QString RunJournal::failure() const {
    const std::lock_guard lock(m_writing);
    return m_writer ? m_writer->why() : QString();
}

void RunJournal::stopped() {
    m_writer->append(Line(m_line, "stopped").done());
}

bool RunJournal::end(JournalStore& store) {
    m_writer->append(Line(m_line, "end").done());
    const bool durable = m_writer->sync();
    // A plan refused after its journal was written takes no place of a kept one.
    keepOnlyTheNewest(store);
    return durable;
}

std::optional<JournalRun> readJournal(const JournalStore& store, const QString& name) {
    const QByteArray text = store.read(name);
    const bool firstVersion = text.startsWith(kFirstHeader);
    if (!text.startsWith(kHeader) && !firstVersion) {
        return std::nullopt;
    }
    JournalRun run;
    run.name = name;
    // A run killed at any point leaves a journal cut off anywhere: what stands is used, but not
    // a line cut short, whose last field may read as another number.
    QList<QByteArray> lines = text.mid(kHeader.size()).split('\n');
    lines.removeLast();
    const auto entry = [&run](const QByteArray& field) {
        bool number = false;
        const int e = field.toInt(&number);
        return number && e >= 0 && e < run.plan.size() ? e : -1;
    };
    for (const QByteArray& line : std::as_const(lines)) {
        const QList<QByteArray> fields = line.split('\t');
        const QByteArray& kind = fields.at(0);
        if (firstVersion && kind == "undo" && fields.size() == 2) {
            run.undone = unescaped(fields[1]);
        } else if ((kind == "run" && fields.size() == 3) ||
                   (kind == "undo" && fields.size() == 4)) {
            run.beganNs = fields[1].toLongLong();
            run.program = unescaped(fields[2]);
            run.undone = kind == "undo" ? unescaped(fields[3]) : QString();
        } else if (kind == "plan" && fields.size() == 8 && !run.committed) {
            run.plan.append({unescaped(fields[1]), unescaped(fields[2]), unescaped(fields[3]),
                             FileIdentity{fields[4].toULongLong(), fields[5].toULongLong(),
                                          fields[6].toUInt(), fields[7].toLongLong()}});
        } else if (kind == "begin") {
            run.committed = true;
        } else if (kind == "done" && (fields.size() == 2 || fields.size() == 3) &&
                   entry(fields[1]) >= 0) {
            const int e = entry(fields[1]);
            run.renamed.insert(e);
            run.lastRecorded = std::max(run.lastRecorded, e);
            if (fields.size() == 3) {
                run.plan[e].identity.bornNs = fields[2].toLongLong();
            }
        } else if (kind == "failed" && fields.size() == 2 && entry(fields[1]) >= 0) {
            run.lastRecorded = std::max(run.lastRecorded, entry(fields[1]));
        } else if (kind == "temp" && fields.size() == 3 && entry(fields[1]) >= 0) {
            run.temporary.insert(entry(fields[1]), unescaped(fields[2]));
        } else if (kind == "stopped") {
            run.stopped = true;
        } else if (kind == "end") {
            run.ended = true;
        }
    }
    return run;
}
