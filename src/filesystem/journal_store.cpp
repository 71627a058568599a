#include "filesystem/journal_store.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace {

constexpr qsizetype kBufferBytes = 64 * 1024;

class FileJournalWriter : public JournalWriter {
  public:
    FileJournalWriter(int fd, int folderFd) : m_fd(fd), m_folderFd(folderFd) {}
    ~FileJournalWriter() override {
        flush();
        ::close(m_fd);
        ::close(m_folderFd);
    }

    void append(QByteArrayView bytes) override {
        m_buffer.append(bytes);
        if (m_buffer.size() >= kBufferBytes) {
            flush();
        }
    }

    bool sync() override {
        // The folder too: a file whose name is not durable can vanish with a power loss.
        return flush() && ::fsync(m_fd) == 0 && ::fsync(m_folderFd) == 0;
    }

  private:
    bool flush() {
        qsizetype written = 0;
        while (written < m_buffer.size()) {
            const ssize_t n = ::write(m_fd, m_buffer.constData() + written,
                                      static_cast<size_t>(m_buffer.size() - written));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                m_failed = true;
                break;
            }
            written += n;
        }
        m_buffer.remove(0, written);
        return !m_failed;
    }

    int m_fd;
    int m_folderFd;
    QByteArray m_buffer;
    bool m_failed = false;
};

QString defaultFolder() {
    const QByteArray state = qgetenv("XDG_STATE_HOME");
    const QString base = state.startsWith('/') ? QFile::decodeName(state)
                                               : QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/taufix");
}

}  // namespace

JournalStore::JournalStore() : m_folder(defaultFolder()) {}

std::unique_ptr<JournalWriter> JournalStore::create(const QString& name) {
    if (!QDir().mkpath(m_folder)) {
        m_why = QStringLiteral("der Ordner %1 lässt sich nicht anlegen").arg(m_folder);
        return nullptr;
    }
    const QByteArray folder = QFile::encodeName(m_folder);
    const int folderFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int fd = folderFd < 0 ? -1
                                : ::openat(folderFd, QFile::encodeName(name).constData(),
                                           O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_why = QString::fromLocal8Bit(std::strerror(errno));
        if (folderFd >= 0) {
            ::close(folderFd);
        }
        return nullptr;
    }
    return std::make_unique<FileJournalWriter>(fd, folderFd);
}

QStringList JournalStore::names() const {
    return QDir(m_folder).entryList({QStringLiteral("*.journal")}, QDir::Files, QDir::Name);
}

QByteArray JournalStore::read(const QString& name) const {
    QFile file(m_folder + u'/' + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void JournalStore::remove(const QString& name) {
    QFile::remove(m_folder + u'/' + name);
}
