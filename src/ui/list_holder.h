#pragma once

#include <QByteArrayList>
#include <QObject>
#include <functional>
#include <optional>

#include "filesystem/folder_index_cache.h"
#include "list/file_list.h"
#include "list/folder_files.h"
#include "list/list_filling.h"
#include "list/list_selection.h"
#include "plan/plan_check.h"
#include "ui/list_job.h"

class FileSystem;

// The window's list, and the jobs that work on copies of it off the window thread once it is
// large: fills, sorts, checks, runs and undos. It is the one writer of the list. A change waits
// until no job is still copying the list and counts as a change, so that a check's copy replaces
// the list only while list and options are as the check found them: a stale check is dropped.
class ListHolder : public QObject {
    Q_OBJECT

  public:
    using ListWork = std::function<void(FileList&, const ProgressCallback&)>;

    explicit ListHolder(FileSystem& fileSystem);

    const FileList& list() const { return m_list; }
    // The list for a change.
    FileList& writable();
    // The options changed: a running check is stale.
    void noteChange() { ++m_version; }
    // Whether a fill, sort, run or undo holds the list.
    bool busy() const { return m_command.running() || m_waited.running(); }
    // Lists of at least rows entries are sorted and checked off the window thread; below, a
    // hand-over would only make the rename command flicker.
    void setWorkerFrom(int rows) { m_workerFrom = rows; }
    bool large() const { return m_list.count() >= m_workerFrom; }

    // A fill or sort of a large list, which holds the list until commandEnded().
    void fill(const QByteArrayList& nativePaths, FillMode mode, FolderScope scope);
    void fillFromDrop(const QByteArray& uriList);
    void sort(HeaderSorter& sorter, int index);
    // Checks the list: at once while it is small, returning the verdict; otherwise on a copy,
    // whose verdict checked() hands over if it is still current.
    std::optional<PlanVerdict> check(const RenameSettings& settings,
                                     const ProgressCallback& progress);
    // Does work on the list that touches about rows files: at once while that is few; otherwise
    // on a copy off the window thread that then replaces the list, the window painting meanwhile
    // but deaf to the user.
    void withList(const ListWork& work, const ProgressCallback& progress, int rows);

  Q_SIGNALS:
    void progress(int value, int maximum);
    // A fill or sort ended: its list is the list; notice is what it passed over.
    void commandEnded(const QString& notice);
    void checked(const PlanVerdict& verdict);

  private:
    void startCheck(const RenameSettings& settings);
    void takeCommand();
    void takeCheck();
    void waitForCopies() const;
    // Makes list the list and frees the one it replaces.
    void replaceList(FileList&& list);
    void dispose(FileList&& list);
    // The cache back from a job that was given it.
    void adoptFolders(FolderIndexCache folders);

    FileSystem& m_fileSystem;
    FileList m_list;
    // The window thread's, but while a fill or check holds it; they hand it back with their list.
    FolderIndexCache m_folders;
    ListJob m_command;
    ListJob m_check;
    ListJob m_waited;
    // Counts the changes of list and options; a check's copy stands for the state it was taken in.
    quint64 m_version = 0;
    quint64 m_checkedVersion = 0;
    // The options of the check to start when the stale one running ends.
    std::optional<RenameSettings> m_pendingCheck;
    int m_workerFrom;
};
