#pragma once

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <ctime>

// A temporary folder holding count empty files "datei_<n>.txt", or named by another pattern with
// the number at "%1", padded with zeros to digits; created once per size.
class BenchFolder {
  public:
    explicit BenchFolder(int count, const char* pattern = "/datei_%1.txt", int digits = 0) {
        m_paths.reserve(count);
        for (int i = 0; i < count; ++i) {
            const QString path =
                m_dir.path() + QString::fromLatin1(pattern).arg(i, digits, 10, QChar(u'0'));
            const int fd = ::open(QFile::encodeName(path).constData(), O_CREAT | O_WRONLY, 0644);
            ::close(fd);
            m_paths << QFile::encodeName(path);
        }
        // As the folders a user renames in: not changed in the last seconds.
        const struct timespec anHourAgo[2] = {{::time(nullptr) - 3600, 0},
                                              {::time(nullptr) - 3600, 0}};
        ::utimensat(AT_FDCWD, QFile::encodeName(m_dir.path()).constData(), anHourAgo, 0);
    }
    // As the file system spells them.
    const QByteArrayList& paths() const { return m_paths; }
    QString path() const { return m_dir.path() + u'/'; }

  private:
    QTemporaryDir m_dir;
    QByteArrayList m_paths;
};
