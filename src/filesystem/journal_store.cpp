#include "filesystem/journal_store.h"

#include <QDir>
#include <QFile>
#include <algorithm>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "filesystem/error_text.h"

namespace {

constexpr qsizetype kBufferBytes = 64 * 1024;
constexpr int kCountDigits = 10;
constexpr int kCreateAttempts = 1000;
const QString kSuffix = QStringLiteral(".journal");

class FileJournalWriter : public JournalWriter {
  public:
    FileJournalWriter(QString name, int fd, int folderFd)
        : m_name(std::move(name)), m_fd(fd), m_folderFd(folderFd) {}
    ~FileJournalWriter() override {
        flush();
        ::close(m_fd);  // lets go of the hold too
        ::close(m_folderFd);
    }

    const QString& name() const override { return m_name; }

    void append(QByteArrayView bytes) override {
        m_buffer.append(bytes);
        if (m_buffer.size() >= kBufferBytes) {
            flush();
        }
    }

    bool sync() override {
        // The folder too: a file whose name is not durable can vanish with a power loss.
        if (flush() && (::fsync(m_fd) != 0 || ::fsync(m_folderFd) != 0)) {
            fail(errno);
        }
        return !failed();
    }

    bool failed() const override { return !m_why.isEmpty(); }
    QString why() const override { return m_why; }

  private:
    bool flush() {
        qsizetype written = 0;
        while (written < m_buffer.size() && !failed()) {
            const ssize_t n = ::write(m_fd, m_buffer.constData() + written,
                                      static_cast<size_t>(m_buffer.size() - written));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                fail(n < 0 ? errno : ENOSPC);
                break;
            }
            written += n;
        }
        m_buffer.remove(0, written);
        return !failed();
    }
    void fail(int error) {
        if (!failed()) {
            m_why = errorText(error);
        }
    }

    QString m_name;
    int m_fd;
    int m_folderFd;
    QByteArray m_buffer;
    QString m_why;
};

class FileHold : public JournalHold {
  public:
    explicit FileHold(int fd) : m_fd(fd) {}
    ~FileHold() override { ::close(m_fd); }

  private:
    int m_fd;
};

QString defaultFolder() {
    const QByteArray state = qgetenv("XDG_STATE_HOME");
    const QString base = state.startsWith('/') ? QFile::decodeName(state)
                                               : QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/taufix");
}

// Makes the folder and the ones above it that are missing, for the user alone to read, as the
// base-directory rules ask; 0 or the errno of the failure.
int makeFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    for (qsizetype end = path.indexOf('/', 1);; end = path.indexOf('/', end + 1)) {
        const QByteArray part = end < 0 ? path : path.left(end);
        if (::mkdir(part.constData(), 0700) != 0 && errno != EEXIST) {
            return errno;
        }
        if (end < 0) {
            return 0;
        }
    }
}

// The number of a journal in the order of the runs; 0 for the journals of older versions,
// named by the time, which began before every numbered one.
qint64 countOf(const QString& name) {
    if (name.size() != kCountDigits + kSuffix.size() || !name.endsWith(kSuffix)) {
        return 0;
    }
    bool number = false;
    const qint64 count = name.left(kCountDigits).toLongLong(&number);
    return number ? count : 0;
}

}  // namespace

JournalStore::JournalStore() : m_folder(defaultFolder()) {}

std::unique_ptr<JournalWriter> JournalStore::create() {
    if (const int error = makeFolder(m_folder); error != 0) {
        m_why = QStringLiteral("der Ordner %1 lässt sich nicht anlegen: %2")
                    .arg(m_folder, errorText(error));
        return nullptr;
    }
    const QByteArray folder = QFile::encodeName(m_folder);
    const int folderFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) {
        m_why = errorText(errno);
        return nullptr;
    }
    const QStringList existing = names();
    qint64 count = existing.isEmpty() ? 0 : countOf(existing.last());
    // Two runs may begin at once: the name each takes exclusively decides their order.
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const QString name =
            QStringLiteral("%1").arg(++count, kCountDigits, 10, QChar(u'0')) + kSuffix;
        const int fd = ::openat(folderFd, QFile::encodeName(name).constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX | LOCK_NB);  // a new file: no one else can hold it yet
            return std::make_unique<FileJournalWriter>(name, fd, folderFd);
        }
        if (errno != EEXIST) {
            break;
        }
    }
    m_why = errorText(errno);
    ::close(folderFd);
    return nullptr;
}

QStringList JournalStore::names() const {
    QStringList names =
        QDir(m_folder).entryList({QStringLiteral("*.journal")}, QDir::Files, QDir::Name);
    std::stable_sort(names.begin(), names.end(),
                     [](const QString& a, const QString& b) { return countOf(a) < countOf(b); });
    return names;
}

QByteArray JournalStore::read(const QString& name) const {
    QFile file(m_folder + u'/' + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void JournalStore::remove(const QString& name) {
    QFile::remove(m_folder + u'/' + name);
}

std::unique_ptr<JournalHold> JournalStore::hold(const QString& name) const {
    const int fd =
        ::open(QFile::encodeName(m_folder + u'/' + name).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<FileHold>(fd);
}
