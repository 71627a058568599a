#include "list/list_filling.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cstdlib>
#include <functional>
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

// A candidate entry for a path; spelledAsStored tells that the name is known to be spelled as
// its folder stores it.
struct Candidate {
    std::optional<FileEntry> entry;
    bool spelledAsStored = false;
};

// Candidates taken from their folders' listings where those name the file exactly: only the
// other paths cost a stat each. Asked path by path, in order, so that no candidate waits.
class ListedCandidates {
  public:
    ListedCandidates(const FileSystem& fileSystem, FolderIndexCache& folders)
        : m_fileSystem(fileSystem), m_folders(folders) {}

    Candidate of(const QString& path) {
        const qsizetype nameAt = path.lastIndexOf(u'/') + 1;
        if (m_listing == nullptr || QStringView(path).first(nameAt) != m_folder) {
            m_folder = path.first(nameAt);
            m_listing = &m_folders.index(m_folder, m_fileSystem);
            m_inodesAgree.reset();
        }
        const QString name = path.sliced(nameAt);
        const std::optional<FileIdentity> listed = m_listing->regularFile(name);
        if (listed && m_inodesAgree.value_or(false)) {
            return {FileEntry(path, 0, {}, *listed), true};
        }
        Candidate candidate{candidateEntry(path, m_fileSystem), listed.has_value()};
        // Some FUSE file systems list other inode numbers than a stat gives: the first listed
        // file of each folder tells whether the listing can stand in for the stat.
        if (listed && !m_inodesAgree) {
            m_inodesAgree = candidate.entry && listed->matches(candidate.entry->identity);
        }
        return candidate;
    }

  private:
    const FileSystem& m_fileSystem;
    FolderIndexCache& m_folders;
    QString m_folder;
    const FolderListing* m_listing = nullptr;
    std::optional<bool> m_inodesAgree;
};

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

// Each native path is let go once read: a long list need not be held twice.
PreparedPaths preparePaths(QByteArrayList nativePaths) {
    PreparedPaths prepared;
    prepared.paths.reserve(nativePaths.size());
    prepared.given.reserve(nativePaths.size());
    // Asked for once, at the first relative path.
    bool asked = false;
    std::optional<QString> folder;
    for (QByteArray& given : nativePaths) {
        const QByteArray native = std::exchange(given, QByteArray());
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

// Appends the candidate of each path (candidateAt(index)), reporting the path given at the same
// place for one that adds nothing.
FillResult appendFiles(FileList& list, const PreparedPaths& prepared,
                       const std::function<Candidate(qsizetype)>& candidateAt, FillMode mode,
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
        auto [candidate, spelledAsStored] = candidateAt(i - 1);
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
    std::vector<std::optional<FileEntry>> candidates = candidateEntries(prepared.paths, fileSystem);
    return appendFiles(
        list, prepared,
        [&](qsizetype i) { return Candidate{std::move(candidates[static_cast<size_t>(i)])}; }, mode,
        fileSystem, progress);
}

FillResult addListedFiles(FileList& list, QByteArrayList nativePaths, const FileSystem& fileSystem,
                          FolderIndexCache& folders) {
    list.setSorted(false);
    const PreparedPaths prepared = preparePaths(std::move(nativePaths));
    ListedCandidates listed(fileSystem, folders);
    return appendFiles(list, prepared, [&](qsizetype i) { return listed.of(prepared.paths.at(i)); },
                       FillMode::CommandLine, fileSystem, {});
}

FillResult FillListe(FileList& list, const QByteArrayList& nativePaths, FillMode mode,
                     const FileSystem& fileSystem, const ProgressCallback& progress) {
    FillResult result = addFiles(list, nativePaths, mode, fileSystem, progress);
    list.setSorted(true);
    return result;
}
