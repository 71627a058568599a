#pragma once

#include <QByteArrayList>
#include <QFutureWatcher>
#include <QObject>
#include <QTimer>
#include <atomic>

#include "filesystem/folder_index_cache.h"
#include "list/file_list.h"
#include "list/folder_files.h"
#include "list/list_filling.h"

class FileSystem;

// Adds files to a copy of the list off the window thread, so that a large drop leaves the window
// alive, and shows its progress on the window thread. The folder cache is handed over whole with
// the copy: the fill's thread reads the folders of the filled list into it, so that the check
// that ends the fill finds them read, and hands it back with the list. In between the window
// thread has an empty cache and checks nothing.
class ListFill : public QObject {
    Q_OBJECT

  public:
    struct Filled {
        FileList list;
        FolderIndexCache folders;
        // What the fill passed over, for the user; empty when nothing.
        QString notice;
    };

    explicit ListFill(FileSystem& fileSystem);
    // Waits for a fill still running, whose thread writes the progress members.
    ~ListFill() override;

    // From start() until take().
    bool running() const { return m_running; }
    // The folders among the paths are opened as scope says, on the fill's thread too.
    void start(FileList list, FolderIndexCache folders, const QByteArrayList& nativePaths,
               FillMode mode, FolderScope scope = FolderScope::NotOpened);
    // The filled list and the cache, once finished() has been emitted.
    Filled take();

  Q_SIGNALS:
    void progress(int value, int maximum);
    void finished();

  private:
    void showProgress();

    FileSystem& m_fileSystem;
    bool m_running = false;
    QFutureWatcher<Filled> m_watcher;
    // The fill's progress as its thread advances it; the timer shows it.
    std::atomic<int> m_value = 0;
    std::atomic<int> m_maximum = 0;
    int m_shownValue = 0;
    QTimer m_progressTimer;
};
