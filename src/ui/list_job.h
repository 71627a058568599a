#pragma once

#include <QByteArrayList>
#include <QFutureWatcher>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <optional>

#include "filesystem/folder_index_cache.h"
#include "filesystem/progress.h"
#include "list/file_list.h"
#include "list/folder_files.h"
#include "list/list_filling.h"
#include "plan/plan_check.h"

class FileSystem;

// Runs work off the window thread and returns when it is done, the window painting meanwhile but
// deaf to the user.
void waitOffWindowThread(const std::function<void()>& work);

// Work on the whole list off the window thread, so that a large list leaves the window alive: a
// fill, a sort or a check. The job copies the list on its own thread, works on the copy and hands
// it back whole; the window thread shows the progress. The folder cache is handed over with the
// list: a fill reads the folders of the filled list into it, so that the check that ends the fill
// finds them read.
class ListJob : public QObject {
    Q_OBJECT

  public:
    struct Done {
        FileList list;
        FolderIndexCache folders;
        // What the job passed over, for the user; empty when nothing.
        QString notice;
        std::optional<PlanVerdict> verdict;  // a check's
    };
    // The job's work on its copy of the list and the cache, which it finds in done.
    using Work = std::function<void(Done& done, const ProgressCallback&)>;

    explicit ListJob(FileSystem& fileSystem);
    // Waits for a job still running, whose thread writes the progress members.
    ~ListJob() override;

    // From start() until take().
    bool running() const { return m_running; }
    // list must stay unchanged until waitUntilCopied() returns. maximum is the progress's end where
    // known at the start; the work's progress may tell it later.
    void start(const FileList& list, FolderIndexCache folders, Work work, int maximum = 0);
    // Adds the files of the paths, and of the folders among them as scope says.
    void startFill(const FileList& list, FolderIndexCache folders,
                   const QByteArrayList& nativePaths, FillMode mode,
                   FolderScope scope = FolderScope::NotOpened);
    // Adds the local files of a drop's "text/uri-list", parsed on the job's thread.
    void startDropFill(const FileList& list, FolderIndexCache folders, const QByteArray& uriList);
    // Writes the new names into the copy and checks them with the files' contents read elsewhere.
    void startCheck(const FileList& list, FolderIndexCache folders, const RenameSettings& settings);
    // Runs work as start() does and returns what it did, the window painting meanwhile but deaf
    // to the user; a dialog the work asks for on the window thread is answered.
    Done runAndWait(const FileList& list, Work work);
    // Returns once the job holds its own copy of the list given to start().
    void waitUntilCopied() const;
    // The job's list and the cache, once finished() has been emitted.
    Done take();

  Q_SIGNALS:
    void progress(int value, int maximum);
    void finished();

  private:
    void startFilling(const FileList& list, FolderIndexCache folders,
                      std::function<QByteArrayList()> nativePaths, FillMode mode, FolderScope scope,
                      int maximum);
    void showProgress();

    FileSystem& m_fileSystem;
    bool m_running = false;
    std::atomic<bool> m_copying = false;
    QFutureWatcher<Done> m_watcher;
    // The job's progress as its thread advances it; the timer shows it.
    std::atomic<int> m_value = 0;
    std::atomic<int> m_maximum = 0;
    int m_shownValue = 0;
    QTimer m_progressTimer;
};
