#pragma once

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <ctime>

// A temporary folder holding count empty files "datei_<n>.txt"; created once per size.
class BenchFolder {
  public:
    explicit BenchFolder(int count) {
        m_paths.reserve(count);
        for (int i = 0; i < count; ++i) {
            const QString path = m_dir.path() + QStringLiteral("/datei_%1.txt").arg(i);
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
