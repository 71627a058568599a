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
#include "filesystem/native_text.h"

namespace {

// Below this many paths a fill is over before threads would have started.
constexpr int kPathsPerThread = 2000;

// Whether the path is relative or holds an empty or "." component: "//", "/./", a "/" or "/."
// at the end. One pass, since every path given goes through it.
bool needsCleaning(const QString& path) {
    if (!path.startsWith(u'/')) {
        return true;
    }
    const qsizetype size = path.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (path[i] != u'/') {
            continue;
        }
        const QChar next = i + 1 < size ? path[i + 1] : u'/';
        if (next == u'/' || (next == u'.' && (i + 2 == size || path[i + 2] == u'/'))) {
            return true;
        }
    }
    return false;
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
            const QString& path = paths.at(static_cast<qsizetype>(i));
            if (!path.isNull()) {
                candidates[i] = candidateEntry(path, fileSystem);
            }
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

// A candidate with the path as given, which a path that adds nothing is reported by.
struct GivenCandidate {
    Candidate candidate;
    QString given;
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
        const std::optional<FileIdentity> listed =
            m_listing->regularFile(QStringView(path).sliced(nameAt));
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

// Takes in the paths given, one at a time, as they enter the list; those that cannot enter
// are sorted out into the result.
class PathIntake {
  public:
    explicit PathIntake(FillResult& result) : m_result(result) {}

    // The path as it enters the list, and as given; nothing for one sorted out.
    std::optional<std::pair<QString, QString>> take(const QByteArray& native) {
        QString path;
        const bool ascii = assignNative(path, native);
        if (!ascii && QFile::encodeName(path) != native) {
            m_result.unrepresentable << native;
            return std::nullopt;
        }
        const bool relative = !path.startsWith(u'/');
        // Asked for once, at the first relative path.
        if (relative && !std::exchange(m_asked, true)) {
            m_folder = workingFolder();
        }
        if (relative && !m_folder) {
            m_result.unresolvable << native;
            return std::nullopt;
        }
        QString listed = listPath(path, m_folder.value_or(QString()));
        return std::pair(std::move(listed), std::move(path));
    }

  private:
    FillResult& m_result;
    bool m_asked = false;
    std::optional<QString> m_folder;
};

// Appends the candidate of each of count paths (candidateAt(index), nothing for a path sorted
// out already), reporting the path given for one that adds nothing.
void appendFiles(FileList& list, qsizetype count,
                 const std::function<std::optional<GivenCandidate>(qsizetype)>& candidateAt,
                 FillMode mode, const FileSystem& fileSystem, const ProgressCallback& progress,
                 FillResult& result) {
    FoldersIgnoringCase foldersIgnoringCase;
    list.reserve(list.count() + static_cast<int>(count));
    // Views of the paths, which stay where they are while their entries move.
    QSet<QStringView> known;
    known.reserve(list.count() + count);
    for (const FileEntry& entry : list) {
        known.insert(entry.PfadName());
    }
    for (qsizetype i = 0; i < count; ++i) {
        if (progress) {
            progress(static_cast<int>(i + 1), static_cast<int>(count));
        }
        std::optional<GivenCandidate> taken = candidateAt(i);
        if (!taken) {
            continue;
        }
        auto& [candidate, spelledAsStored] = taken->candidate;
        if (candidate && mode == FillMode::CommandLine && !spelledAsStored &&
            foldersIgnoringCase.ignores(*candidate, fileSystem)) {
            takeStoredName(*candidate, fileSystem);
        }
        if (!candidate || known.contains(candidate->PfadName())) {
            result.skipped << taken->given;
            continue;
        }
        known.insert(candidate->PfadName());
        list.append(std::move(*candidate));
        ++result.added;
    }
    if (progress) {
        progress(0, static_cast<int>(count));
    }
}

}  // namespace

FillResult addFiles(FileList& list, const QByteArrayList& nativePaths, FillMode mode,
                    const FileSystem& fileSystem, const ProgressCallback& progress) {
    list.setSorted(false);
    FillResult result;
    PathIntake intake(result);
    // The paths as given and as they enter the list, at the places of the native ones; null
    // where sorted out.
    QStringList given(nativePaths.size());
    QStringList paths(nativePaths.size());
    for (qsizetype i = 0; i < nativePaths.size(); ++i) {
        if (auto taken = intake.take(nativePaths.at(i))) {
            std::tie(paths[i], given[i]) = std::move(*taken);
        }
    }
    std::vector<std::optional<FileEntry>> candidates = candidateEntries(paths, fileSystem);
    appendFiles(
        list, paths.size(),
        [&](qsizetype i) -> std::optional<GivenCandidate> {
            if (paths.at(i).isNull()) {
                return std::nullopt;
            }
            return GivenCandidate{{std::move(candidates[static_cast<size_t>(i)])}, given.at(i)};
        },
        mode, fileSystem, progress, result);
    return result;
}

FillResult addListedFiles(FileList& list, QByteArrayList nativePaths, const FileSystem& fileSystem,
                          FolderIndexCache& folders) {
    list.setSorted(false);
    FillResult result;
    PathIntake intake(result);
    ListedCandidates listed(fileSystem, folders);
    appendFiles(
        list, nativePaths.size(),
        [&](qsizetype i) -> std::optional<GivenCandidate> {
            // Each native path is let go once read: a long list need not be held twice.
            const QByteArray native = std::exchange(nativePaths[i], QByteArray());
            auto taken = intake.take(native);
            if (!taken) {
                return std::nullopt;
            }
            return GivenCandidate{listed.of(taken->first), std::move(taken->second)};
        },
        FillMode::CommandLine, fileSystem, {}, result);
    return result;
}

FillResult FillListe(FileList& list, const QByteArrayList& nativePaths, FillMode mode,
                     const FileSystem& fileSystem, const ProgressCallback& progress) {
    FillResult result = addFiles(list, nativePaths, mode, fileSystem, progress);
    list.setSorted(true);
    return result;
}
