#include "list/list_filling.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include <unistd.h>

#include "filesystem/capitals.h"
#include "filesystem/file_system.h"
#include "filesystem/folder_index_cache.h"

namespace {

// Below this many paths a fill is over before threads would have started.
constexpr int kPathsPerThread = 2000;

bool needsCleaning(const QString& path) {
    return !path.startsWith(u'/') || path.contains(QStringLiteral("//")) ||
           path.contains(QStringLiteral("/./")) || path.endsWith(u'/') ||
           path.endsWith(QStringLiteral("/."));
}

// The entry a path would add, from what one stat tells; nothing for folders and paths that name
// nothing.
std::optional<FileEntry> candidateEntry(const QString& path, const FileSystem& fileSystem) {
    const std::optional<PathFacts> facts = fileSystem.statPath(path);
    if (!facts || facts->isFolder) {
        return std::nullopt;
    }
    return FileEntry(path, facts->length, facts->modified, facts->identity);
}

// Whether the file system of the entry's folder finds a name under another spelling too, asked
// once per folder with the first name that has one; nothing for a name without letters.
std::optional<bool> ignoresCase(const FileEntry& entry, const FileSystem& fileSystem) {
    const std::optional<QString> other = otherSpelling(entry.AlterName().toString());
    if (!other) {
        return std::nullopt;
    }
    const std::optional<FileIdentity> found =
        fileSystem.lookup(entry.InOrdner().toString(), *other).entry;
    return found && entry.identity.matches(*found);
}

// Which folders' file systems ignore letter case, as far as known yet. Paths mostly come folder
// by folder, so the folder of the last question is compared first.
class FoldersIgnoringCase {
  public:
    bool ignores(const FileEntry& entry, const FileSystem& fileSystem) {
        if (entry.InOrdner() != m_lastFolder) {
            m_lastFolder = entry.InOrdner().toString();
            m_last = m_known.constFind(m_lastFolder);
        }
        if (m_last == m_known.constEnd()) {
            if (const std::optional<bool> ignores = ignoresCase(entry, fileSystem)) {
                m_last = m_known.insert(m_lastFolder, *ignores);
            }
        }
        return m_last != m_known.constEnd() && *m_last;
    }

  private:
    QHash<QString, bool> m_known;
    QString m_lastFolder;
    QHash<QString, bool>::const_iterator m_last = m_known.constEnd();
};

// A name given on the command line in another spelling than the one stored: where the file
// system ignores letter case, the entry takes the stored one. A hidden file has no stored name
// to look up and keeps the one it was given.
void takeStoredName(FileEntry& entry, const FileSystem& fileSystem) {
    const QString stored = fileSystem.storedName(entry.PfadName());
    if (!stored.isEmpty() && stored != entry.AlterName()) {
        entry.setPath(entry.InOrdner().toString() + stored);
    }
}

// The file system's answers dominate a large fill; they are asked for on every core at once.
std::vector<std::optional<FileEntry>> candidateEntries(const QStringList& paths,
                                                       const FileSystem& fileSystem) {
    const size_t count = static_cast<size_t>(paths.size());
    std::vector<std::optional<FileEntry>> candidates(count);
    const auto fillRange = [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            candidates[i] = candidateEntry(paths.at(static_cast<qsizetype>(i)), fileSystem);
        }
    };
    const size_t threads = std::clamp<size_t>(count / kPathsPerThread, 1,
                                              std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> workers;
    const size_t chunk = (count + threads - 1) / threads;
    for (size_t t = 1; t < threads; ++t) {
        workers.emplace_back(fillRange, t * chunk, std::min(count, (t + 1) * chunk));
    }
    fillRange(0, std::min(count, chunk));
    for (std::thread& worker : workers) {
        worker.join();
    }
    return candidates;
}

// Entries taken from their folders' listings where those name the file exactly: only the other
// paths cost a stat each. exactName tells which entries bear the name as stored.
std::vector<std::optional<FileEntry>> listedEntries(const QStringList& paths,
                                                    const FileSystem& fileSystem,
                                                    FolderIndexCache& folders,
                                                    std::vector<bool>& exactName) {
    std::vector<std::optional<FileEntry>> candidates(static_cast<size_t>(paths.size()));
    exactName.assign(candidates.size(), false);
    QString folder;
    const FolderListing* listing = nullptr;
    std::optional<bool> inodesAgree;
    for (size_t i = 0; i < candidates.size(); ++i) {
        const QString& path = paths.at(static_cast<qsizetype>(i));
        const qsizetype nameAt = path.lastIndexOf(u'/') + 1;
        if (listing == nullptr || QStringView(path).first(nameAt) != folder) {
            folder = path.first(nameAt);
            listing = &folders.index(folder, fileSystem);
            inodesAgree.reset();
        }
        const QString name = path.sliced(nameAt);
        const std::optional<FileIdentity> listed =
            listing->complete ? listing->regularFile(name, capitals(name)) : std::nullopt;
        exactName[i] = listed.has_value();
        if (listed && inodesAgree.value_or(false)) {
            candidates[i] = FileEntry(path, 0, {}, *listed);
            continue;
        }
        candidates[i] = candidateEntry(path, fileSystem);
        // Some FUSE file systems list other inode numbers than a stat gives: the first listed
        // file of each folder tells whether the listing can stand in for the stat.
        if (listed && !inodesAgree) {
            inodesAgree = candidates[i] && listed->matches(candidates[i]->identity);
        }
    }
    return candidates;
}

}  // namespace

std::optional<QString> workingFolder() {
    // Not QDir::currentPath(): it gives the empty text when the folder is gone or its path too
    // long, and a relative path would then silently name a file below "/".
    char* folder = ::getcwd(nullptr, 0);
    if (folder == nullptr) {
        return std::nullopt;
    }
    const QString text = QFile::decodeName(folder);
    std::free(folder);
    return text;
}

QString listPath(const QString& path, const QString& workingFolder) {
    if (!needsCleaning(path)) {
        return path;
    }
    const QString absolute = path.startsWith(u'/') ? path : workingFolder + u'/' + path;
    QStringList parts = absolute.split(u'/', Qt::SkipEmptyParts);
    parts.removeAll(QStringLiteral("."));
    return u'/' + parts.join(u'/');
}

namespace {

// Paths as they enter the list, each with the path given at the same place.
struct PreparedPaths {
    QStringList paths;
    QStringList given;
    QByteArrayList unrepresentable;
    QByteArrayList unresolvable;
};

PreparedPaths preparePaths(const QByteArrayList& nativePaths) {
    PreparedPaths prepared;
    prepared.paths.reserve(nativePaths.size());
    prepared.given.reserve(nativePaths.size());
    // Asked for once, at the first relative path.
    bool asked = false;
    std::optional<QString> folder;
    for (const QByteArray& native : nativePaths) {
        const QString path = QFile::decodeName(native);
        const bool ascii = std::all_of(native.begin(), native.end(),
                                       [](char c) { return static_cast<signed char>(c) > 0; });
        if (!ascii && QFile::encodeName(path) != native) {
            prepared.unrepresentable << native;
            continue;
        }
        const bool relative = !path.startsWith(u'/');
        if (relative && !std::exchange(asked, true)) {
            folder = workingFolder();
        }
        if (relative && !folder) {
            prepared.unresolvable << native;
            continue;
        }
        prepared.paths << listPath(path, folder.value_or(QString()));
        prepared.given << path;
    }
    return prepared;
}

// Appends the candidates of the paths, each made from the path given at the same place; where
// exactName tells that a name is spelled as stored, its folder need not be asked.
FillResult appendFiles(FileList& list, const PreparedPaths& prepared,
                       std::vector<std::optional<FileEntry>> candidates,
                       const std::vector<bool>& exactName, FillMode mode,
                       const FileSystem& fileSystem, const ProgressCallback& progress) {
    FillResult result;
    const QStringList& paths = prepared.paths;
    const QStringList& given = prepared.given;
    FoldersIgnoringCase foldersIgnoringCase;
    list.reserve(list.count() + static_cast<int>(paths.size()));
    // Views of the paths, which stay where they are while their entries move.
    QSet<QStringView> known;
    known.reserve(list.count() + paths.size());
    for (const FileEntry& entry : list) {
        known.insert(entry.PfadName());
    }
    const int count = static_cast<int>(paths.size());
    for (int i = 1; i <= count; ++i) {
        if (progress) {
            progress(i, count);
        }
        std::optional<FileEntry>& candidate = candidates[static_cast<size_t>(i - 1)];
        const bool spelledAsStored = !exactName.empty() && exactName[static_cast<size_t>(i - 1)];
        if (candidate && mode == FillMode::CommandLine && !spelledAsStored &&
            foldersIgnoringCase.ignores(*candidate, fileSystem)) {
            takeStoredName(*candidate, fileSystem);
        }
        if (!candidate || known.contains(candidate->PfadName())) {
            result.skipped << given.at(i - 1);
            continue;
        }
        known.insert(candidate->PfadName());
        list.append(std::move(*candidate));
        ++result.added;
    }
    if (progress) {
        progress(0, count);
    }
    result.unrepresentable = prepared.unrepresentable;
    result.unresolvable = prepared.unresolvable;
    return result;
}

}  // namespace

FillResult addFiles(FileList& list, const QByteArrayList& nativePaths, FillMode mode,
                    const FileSystem& fileSystem, const ProgressCallback& progress) {
    list.setSorted(false);
    const PreparedPaths prepared = preparePaths(nativePaths);
    return appendFiles(list, prepared, candidateEntries(prepared.paths, fileSystem), {}, mode,
                       fileSystem, progress);
}

FillResult addListedFiles(FileList& list, const QByteArrayList& nativePaths,
                          const FileSystem& fileSystem, FolderIndexCache& folders) {
    list.setSorted(false);
    const PreparedPaths prepared = preparePaths(nativePaths);
    std::vector<bool> exactName;
    std::vector<std::optional<FileEntry>> candidates =
        listedEntries(prepared.paths, fileSystem, folders, exactName);
    return appendFiles(list, prepared, std::move(candidates), exactName, FillMode::CommandLine,
                       fileSystem, {});
}

FillResult FillListe(FileList& list, const QByteArrayList& nativePaths, FillMode mode,
                     const FileSystem& fileSystem, const ProgressCallback& progress) {
    FillResult result = addFiles(list, nativePaths, mode, fileSystem, progress);
    list.setSorted(true);
    return result;
}
