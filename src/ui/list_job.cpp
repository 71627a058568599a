#include "ui/list_job.h"

#include <QEventLoop>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

#include "plan/messages.h"
#include "ui/progress_pace.h"

namespace {

QString unrepresentableText(int count) {
    if (count == 1) {
        return hintText(
            QStringLiteral("1 Datei wurde übergangen, weil ihr Name kein gültiges UTF-8 ist. "
                           "Benennen Sie sie zuerst anders um."));
    }
    return hintText(QString::number(count) +
                    QStringLiteral(" Dateien wurden übergangen, weil ihre Namen kein gültiges "
                                   "UTF-8 sind. Benennen Sie sie zuerst anders um."));
}

QString unresolvableText(int count) {
    return hintText(QString::number(count) +
                    QStringLiteral(" Pfad(e) übergangen: Der aktuelle Ordner lässt sich nicht "
                                   "bestimmen, und ein relativer Pfad könnte eine andere Datei "
                                   "nennen."));
}

// A folder given where folders are not opened: what the user meant, and how to get it.
QString folderNotOpenedText() {
    return hintText(
        QStringLiteral("Ordner werden nicht geöffnet; „Ordner hinzufügen…“ nimmt ihre Dateien."));
}

QString noticeOf(const FillResult& result, FolderScope scope) {
    QStringList notices;
    if (scope == FolderScope::NotOpened && !result.folders.isEmpty()) {
        notices << folderNotOpenedText();
    }
    if (!result.unrepresentable.isEmpty()) {
        notices << unrepresentableText(static_cast<int>(result.unrepresentable.size()));
    }
    if (!result.unresolvable.isEmpty()) {
        notices << unresolvableText(static_cast<int>(result.unresolvable.size()));
    }
    return notices.join(u' ');
}

// Reading a large folder would hold the window thread in the check that ends the fill.
void readFolderIndexes(const FileList& list, FolderIndexCache& folders,
                       const FileSystem& fileSystem) {
    QStringView folder;
    for (const FileEntry& entry : list) {
        if (entry.Selected && entry.InOrdner() != folder) {
            folder = entry.InOrdner();
            folders.index(folder.toString(), fileSystem);
        }
    }
}

// The local files among a drop's URLs, in the bytes the file manager named: a name that is no
// valid text stays recognisable as such instead of turning into another name.
QByteArrayList localFiles(const QByteArray& uriList) {
    QByteArrayList paths;
    for (QByteArray line : uriList.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        const QUrl url = QUrl::fromEncoded(line);
        if (url.isLocalFile()) {
            paths << QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        }
    }
    return paths;
}

}  // namespace

void waitOffWindowThread(const std::function<void()>& work) {
    QFutureWatcher<void> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run(work));
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

ListJob::ListJob(FileSystem& fileSystem) : m_fileSystem(fileSystem) {
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &ListJob::finished);
    m_progressTimer.setInterval(kProgressIntervalMs);
    connect(&m_progressTimer, &QTimer::timeout, this, &ListJob::showProgress);
}

ListJob::~ListJob() {
    // A future whose result was taken never finishes again.
    if (m_running) {
        m_watcher.waitForFinished();
    }
}

void ListJob::start(const FileList& list, FolderIndexCache folders, Work work, int maximum) {
    m_running = true;
    m_copying = true;
    m_value = 0;
    m_maximum = maximum;
    m_shownValue = 0;
    Q_EMIT progress(0, maximum);
    m_progressTimer.start();
    m_watcher.setFuture(QtConcurrent::run(
        [this, &list, folders = std::move(folders), work = std::move(work)]() mutable {
            // Copying a million entries would hold the window thread; it only reads meanwhile.
            Done done{list, std::move(folders), {}, {}};
            m_copying = false;
            m_copying.notify_all();
            work(done, [this](int value, int maximum) {
                m_value.store(value, std::memory_order_relaxed);
                m_maximum.store(maximum, std::memory_order_relaxed);
            });
            return done;
        }));
}

void ListJob::startFill(const FileList& list, FolderIndexCache folders,
                        const QByteArrayList& nativePaths, FillMode mode, FolderScope scope) {
    startFilling(
        list, std::move(folders), [nativePaths] { return nativePaths; }, mode, scope,
        static_cast<int>(nativePaths.size()));
}

void ListJob::startDropFill(const FileList& list, FolderIndexCache folders,
                            const QByteArray& uriList) {
    startFilling(
        list, std::move(folders), [uriList] { return localFiles(uriList); }, FillMode::Drop,
        FolderScope::NotOpened, 0);
}

void ListJob::startFilling(const FileList& list, FolderIndexCache folders,
                           std::function<QByteArrayList()> nativePaths, FillMode mode,
                           FolderScope scope, int maximum) {
    start(
        list, std::move(folders),
        [this, nativePaths = std::move(nativePaths), mode, scope](
            Done& done, const ProgressCallback& progress) {
            const FillResult result =
                FillListe(done.list, openFolders(nativePaths(), scope, m_fileSystem), mode,
                          m_fileSystem, progress);
            readFolderIndexes(done.list, done.folders, m_fileSystem);
            done.notice = noticeOf(result, scope);
        },
        maximum);
}

void ListJob::startCheck(const FileList& list, FolderIndexCache folders,
                         const RenameSettings& settings) {
    start(list, std::move(folders), [this, settings](Done& done, const ProgressCallback& progress) {
        done.verdict = checkPlan(done.list, settings, m_fileSystem, done.folders, progress,
                                 MediaReads::Elsewhere);
    });
}

ListJob::Done ListJob::runAndWait(const FileList& list, Work work) {
    QEventLoop loop;
    connect(this, &ListJob::finished, &loop, &QEventLoop::quit);
    start(list, FolderIndexCache(), std::move(work));
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return take();
}

void ListJob::waitUntilCopied() const {
    m_copying.wait(true);
}

ListJob::Done ListJob::take() {
    Done done = m_watcher.future().takeResult();
    m_progressTimer.stop();
    Q_EMIT progress(0, m_maximum);
    m_running = false;
    return done;
}

void ListJob::showProgress() {
    const int value = m_value.load(std::memory_order_relaxed);
    if (value != m_shownValue) {
        m_shownValue = value;
        Q_EMIT progress(value, m_maximum.load(std::memory_order_relaxed));
    }
}
