#include "list/list_filling.h"

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

// What the path of a row taken in names.
enum class Found : unsigned char { Nothing, File, Folder };

// Where a row taken in names a file: its length, time and identity from one stat.
Found statRow(FileEntry& row, const FileSystem& fileSystem) {
    const std::optional<PathFacts> facts = fileSystem.statPath(row.PfadName());
    if (!facts || facts->isFolder) {
        return facts ? Found::Folder : Found::Nothing;
    }
    row = FileEntry(row.PfadName(), facts->length, facts->modified, facts->identity);
    return Found::File;
}

// The file system's answers dominate a large fill; they are asked for on every core at once.
// What the rows from first on name, by their index from first.
std::vector<Found> statRows(FileList& list, int first, const FileSystem& fileSystem) {
    const size_t count = static_cast<size_t>(list.count() - first + 1);
    std::vector<Found> found(count, Found::Nothing);  // bytes: threads write side by side
    const auto statRange = [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            found[i] = statRow(list.at(first + static_cast<int>(i)), fileSystem);
        }
    };
    const size_t threads = std::clamp<size_t>(count / kPathsPerThread, 1,
                                              std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> workers;
    const size_t chunk = (count + threads - 1) / threads;
    for (size_t t = 1; t < threads; ++t) {
        workers.emplace_back(statRange, t * chunk, std::min(count, (t + 1) * chunk));
    }
    statRange(0, std::min(count, chunk));
    for (std::thread& worker : workers) {
        worker.join();
    }
    return found;
}

// What a row taken in turned out to be; spelledAsStored tells that its name is known to be
// spelled as its folder stores it.
struct RowFacts {
    Found found = Found::Nothing;
    bool spelledAsStored = false;
};

// Rows given their identity from their folders' listings where those name the file exactly:
// only the other paths cost a stat each. Asked row by row, in order, so that no row waits.
class ListedIdentities {
  public:
    ListedIdentities(const FileSystem& fileSystem, FolderIndexCache& folders)
        : m_fileSystem(fileSystem), m_folders(folders) {}

    RowFacts identify(FileEntry& row) {
        if (m_listing == nullptr || row.InOrdner() != m_folder) {
            m_folder = row.InOrdner().toString();
            m_listing = &m_folders.index(m_folder, m_fileSystem);
            m_inodesAgree.reset();
        }
        const std::optional<FileIdentity> listed = m_listing->regularFile(row.AlterName());
        if (listed && m_inodesAgree.value_or(false)) {
            row.identity = *listed;
            return {Found::File, true};
        }
        const RowFacts facts{statRow(row, m_fileSystem), listed.has_value()};
        // Some FUSE file systems list other inode numbers than a stat gives: the first listed
        // file of each folder tells whether the listing can stand in for the stat.
        if (listed && !m_inodesAgree) {
            m_inodesAgree = facts.found == Found::File && listed->matches(row.identity);
        }
        return facts;
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

// The paths given, taken in as rows that hold a path and nothing else yet, appended to the list
// in order; the paths that cannot enter are sorted out into the result. Each native path is let
// go once read: a long list need not be held twice.
class PathIntake {
  public:
    PathIntake(FileList& list, FillResult& result)
        : m_list(list), m_result(result), m_firstRow(list.count() + 1) {}

    // Calls firstFolder with the folder of the first row as soon as it is known.
    void take(QByteArrayList nativePaths,
              const std::function<void(const QString&)>& firstFolder = {}) {
        m_list.reserve(m_list.count() + static_cast<int>(nativePaths.size()));
        for (QByteArray& given : nativePaths) {
            const QByteArray native = std::exchange(given, QByteArray());
            std::optional<QString> path = takeOne(native);
            if (!path) {
                continue;
            }
            m_list.append(FileEntry(*path, 0, {}));
            if (firstFolder && m_list.count() == m_firstRow) {
                firstFolder(m_list.at(m_firstRow).InOrdner().toString());
            }
        }
    }

    int firstRow() const { return m_firstRow; }
    // The path row p was given by.
    QString given(int p) {
        while (m_nextCleaned < m_cleaned.size() && m_cleaned[m_nextCleaned].first < p) {
            ++m_nextCleaned;
        }
        if (m_nextCleaned < m_cleaned.size() && m_cleaned[m_nextCleaned].first == p) {
            return m_cleaned[m_nextCleaned].second;
        }
        return m_list.at(p).PfadName();
    }

  private:
    // The path as it enters the list; nothing for one sorted out.
    std::optional<QString> takeOne(const QByteArray& native) {
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
        if (listed != path) {
            m_cleaned.emplace_back(m_list.count() + 1, std::move(path));
        }
        return listed;
    }

    FileList& m_list;
    FillResult& m_result;
    int m_firstRow;
    bool m_asked = false;
    std::optional<QString> m_folder;
    std::vector<std::pair<int, QString>> m_cleaned;  // the paths given where cleaned, by row
    size_t m_nextCleaned = 0;
};

// Settles the rows taken in, one by one in order: each stays, under its stored name where the
// file system ignores letter case, or leaves the list and is reported by the path given: one
// that names no file or a folder, or a file the list holds already.
class Settling {
  public:
    Settling(FileList& list, PathIntake& intake, FillMode mode, const FileSystem& fileSystem,
             FillResult& result)
        : m_list(list),
          m_intake(intake),
          m_mode(mode),
          m_fileSystem(fileSystem),
          m_result(result),
          m_leaving(static_cast<size_t>(list.count()), false) {
        // Views of the paths, which stay where they are until the leaving rows are removed.
        m_known.reserve(list.count());
        for (int p = 1; p < intake.firstRow(); ++p) {
            m_known.insert(list.at(p).PfadName());
        }
    }

    void settle(int p, const RowFacts& facts) {
        FileEntry& row = m_list.at(p);
        if (facts.found == Found::File && m_mode == FillMode::CommandLine &&
            !facts.spelledAsStored && m_foldersIgnoringCase.ignores(row, m_fileSystem)) {
            takeStoredName(row, m_fileSystem);
        }
        if (facts.found != Found::File || m_known.contains(row.PfadName())) {
            m_result.skipped << m_intake.given(p);
            if (facts.found == Found::Folder) {
                m_result.folders << m_result.skipped.last();
            }
            m_leaving[static_cast<size_t>(p - 1)] = true;
            return;
        }
        m_known.insert(row.PfadName());
        ++m_result.added;
    }

    void finish() { m_list.removeRows(m_leaving); }

  private:
    FileList& m_list;
    PathIntake& m_intake;
    FillMode m_mode;
    const FileSystem& m_fileSystem;
    FillResult& m_result;
    std::vector<bool> m_leaving;
    QSet<QStringView> m_known;
    FoldersIgnoringCase m_foldersIgnoringCase;
};

// addFiles from the command line for entries that need no size or time: a file its folder's
// listing names exactly is taken with the identity the listing gives, without a stat of its own.
// The listings stay in folders for the check of the same pass.
FillResult addListedFiles(FileList& list, QByteArrayList nativePaths, const FileSystem& fileSystem,
                          FolderIndexCache& folders) {
    list.setSorted(false);
    FillResult result;
    PathIntake intake(list, result);
    // Most runs name the files of one folder: it is read while the paths are taken in.
    intake.take(std::move(nativePaths),
                [&](const QString& folder) { folders.readAhead(folder, fileSystem); });
    ListedIdentities listed(fileSystem, folders);
    Settling settling(list, intake, FillMode::CommandLine, fileSystem, result);
    for (int p = intake.firstRow(); p <= list.count(); ++p) {
        settling.settle(p, listed.identify(list.at(p)));
    }
    settling.finish();
    return result;
}

}  // namespace

FillResult addFiles(FileList& list, const QByteArrayList& nativePaths, FillMode mode,
                    const FileSystem& fileSystem, const ProgressCallback& progress) {
    list.setSorted(false);
    FillResult result;
    PathIntake intake(list, result);
    intake.take(nativePaths);
    const int first = intake.firstRow();
    const std::vector<Found> found = statRows(list, first, fileSystem);
    Settling settling(list, intake, mode, fileSystem, result);
    const int count = list.count() - first + 1;
    for (int i = 0; i < count; ++i) {
        if (progress) {
            progress(i + 1, count);
        }
        settling.settle(first + i, {found[static_cast<size_t>(i)], false});
    }
    settling.finish();
    if (progress) {
        progress(0, count);
    }
    return result;
}

PassFill fillOnePass(FileList& list, QByteArrayList nativePaths, EntryDetail detail,
                     const FileSystem& fileSystem) {
    auto folders = std::make_shared<FolderIndexCache>(FolderIndexCache::Keeping::OnePass);
    FillResult result = detail == EntryDetail::SizeAndTime
                            ? addFiles(list, nativePaths, FillMode::CommandLine, fileSystem)
                            : addListedFiles(list, std::move(nativePaths), fileSystem, *folders);
    return {std::move(result), std::move(folders)};
}

FillResult FillListe(FileList& list, const QByteArrayList& nativePaths, FillMode mode,
                     const FileSystem& fileSystem, const ProgressCallback& progress) {
    FillResult result = addFiles(list, nativePaths, mode, fileSystem, progress);
    list.setSorted(true);
    return result;
}
