#include "ui/list_fill.h"

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

}  // namespace

ListFill::ListFill(FileSystem& fileSystem) : m_fileSystem(fileSystem) {
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &ListFill::finished);
    m_progressTimer.setInterval(kProgressIntervalMs);
    connect(&m_progressTimer, &QTimer::timeout, this, &ListFill::showProgress);
}

ListFill::~ListFill() {
    // A future whose result was taken never finishes again.
    if (m_running) {
        m_watcher.waitForFinished();
    }
}

void ListFill::start(FileList list, FolderIndexCache folders, const QByteArrayList& nativePaths,
                     FillMode mode, FolderScope scope) {
    m_running = true;
    m_value = 0;
    m_maximum = static_cast<int>(nativePaths.size());
    m_shownValue = 0;
    Q_EMIT progress(0, m_maximum);
    m_progressTimer.start();
    m_watcher.setFuture(
        QtConcurrent::run([this, list = std::move(list), folders = std::move(folders), nativePaths,
                           mode, scope]() mutable {
            FillResult result = FillListe(list, openFolders(nativePaths, scope, m_fileSystem), mode,
                                          m_fileSystem, [this](int value, int maximum) {
                                              m_value.store(value, std::memory_order_relaxed);
                                              m_maximum.store(maximum, std::memory_order_relaxed);
                                          });
            readFolderIndexes(list, folders, m_fileSystem);
            return Filled{std::move(list), std::move(folders), noticeOf(result, scope)};
        }));
}

ListFill::Filled ListFill::take() {
    Filled filled = m_watcher.future().takeResult();
    m_progressTimer.stop();
    Q_EMIT progress(0, m_maximum);
    m_running = false;
    return filled;
}

void ListFill::showProgress() {
    const int value = m_value.load(std::memory_order_relaxed);
    if (value != m_shownValue) {
        m_shownValue = value;
        Q_EMIT progress(value, m_maximum.load(std::memory_order_relaxed));
    }
}
