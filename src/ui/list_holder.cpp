#include "ui/list_holder.h"

#include <QThreadPool>
#include <algorithm>
#include <memory>

namespace {

// Where a sort and its check take long enough on the window thread to be felt, about 25 ms;
// below, the hand-over to a worker and back costs more than it spares.
constexpr int kWorkerFrom = 50000;

}  // namespace

ListHolder::ListHolder(FileSystem& fileSystem)
    : m_fileSystem(fileSystem),
      m_command(fileSystem),
      m_check(fileSystem),
      m_waited(fileSystem),
      m_workerFrom(kWorkerFrom) {
    connect(&m_command, &ListJob::finished, this, &ListHolder::takeCommand);
    connect(&m_check, &ListJob::finished, this, &ListHolder::takeCheck);
    for (const ListJob* job : {&m_command, &m_check, &m_waited}) {
        connect(job, &ListJob::progress, this, &ListHolder::progress);
    }
}

void ListHolder::waitForCopies() const {
    m_check.waitUntilCopied();
    m_command.waitUntilCopied();
}

FileList& ListHolder::writable() {
    waitForCopies();
    ++m_version;
    return m_list;
}

void ListHolder::fill(const QByteArrayList& nativePaths, FillMode mode, FolderScope scope) {
    // The cache goes with the copy and comes back with the filled list.
    m_command.startFill(m_list, std::exchange(m_folders, FolderIndexCache()), nativePaths, mode,
                        scope);
}

void ListHolder::fillFromDrop(const QByteArray& uriList) {
    m_command.startDropFill(m_list, std::exchange(m_folders, FolderIndexCache()), uriList);
}

void ListHolder::sort(HeaderSorter& sorter, int index) {
    // The sorter is the job's until it ends: the list and its header are busy meanwhile.
    m_command.start(m_list, FolderIndexCache(),
                    [&sorter, index](ListJob::Done& done, const ProgressCallback&) {
                        sorter.headerClicked(done.list, index);
                    });
}

std::optional<PlanVerdict> ListHolder::check(const RenameSettings& settings,
                                             const ProgressCallback& progress) {
    FileList& list = writable();
    if (!large()) {
        // The files' contents are read off the window thread; until then their rows fail.
        return checkPlan(list, settings, m_fileSystem, m_folders, progress, MediaReads::Elsewhere);
    }
    if (m_check.running()) {
        m_pendingCheck = settings;
    } else {
        startCheck(settings);
    }
    return std::nullopt;
}

void ListHolder::startCheck(const RenameSettings& settings) {
    m_checkedVersion = m_version;
    m_check.startCheck(m_list, std::exchange(m_folders, FolderIndexCache()), settings);
}

void ListHolder::takeCheck() {
    ListJob::Done done = m_check.take();
    adoptFolders(std::move(done.folders));
    const std::optional<RenameSettings> pending = std::exchange(m_pendingCheck, std::nullopt);
    // While a command holds the list, its end checks again.
    if (!busy() && m_checkedVersion == m_version) {
        // Nothing has changed since the copy: it is the list, with its new names.
        replaceList(std::move(done.list));
        Q_EMIT checked(*done.verdict);
        return;
    }
    if (!busy() && pending) {
        startCheck(*pending);
    }
    dispose(std::move(done.list));
}

void ListHolder::takeCommand() {
    ListJob::Done done = m_command.take();
    ++m_version;
    replaceList(std::move(done.list));
    adoptFolders(std::move(done.folders));
    Q_EMIT commandEnded(done.notice);
}

void ListHolder::withList(const ListWork& work, const ProgressCallback& progress, int rows) {
    if (std::max(rows, m_list.count()) < m_workerFrom) {
        work(writable(), progress);
        return;
    }
    ListJob::Done done =
        m_waited.runAndWait(m_list, [&work](ListJob::Done& copy, const ProgressCallback& advance) {
            work(copy.list, advance);
        });
    ++m_version;
    replaceList(std::move(done.list));
}

void ListHolder::replaceList(FileList&& list) {
    waitForCopies();
    std::swap(m_list, list);
    dispose(std::move(list));
}

void ListHolder::dispose(FileList&& list) {
    // Freeing a million entries would hold the window thread.
    if (list.count() >= kWorkerFrom) {
        QThreadPool::globalInstance()->start(
            [gone = std::make_shared<FileList>(std::move(list))]() mutable { gone.reset(); });
    }
}

void ListHolder::adoptFolders(FolderIndexCache folders) {
    if (!folders.isEmpty()) {
        m_folders = std::move(folders);
    }
}
