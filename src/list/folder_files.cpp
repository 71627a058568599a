#include "list/folder_files.h"

#include <optional>

#include "filesystem/file_system.h"

namespace {

// Appends the files of folder that scope takes; false, appending nothing, when it is no folder
// that can be opened. The empty path names nothing, not the working folder.
bool appendFilesOf(const QByteArray& folder, FolderScope scope, const FileSystem& fileSystem,
                   QByteArrayList& paths) {
    const std::optional<FolderContents> contents =
        folder.isEmpty() ? std::nullopt : fileSystem.folderContents(folder);
    if (!contents) {
        return false;
    }
    const QByteArray prefix = folder.endsWith('/') ? folder : folder + '/';
    for (const QByteArray& name : contents->files) {
        paths << prefix + name;
    }
    if (scope == FolderScope::FilesInSubfolders) {
        for (const QByteArray& name : contents->folders) {
            if (!appendFilesOf(prefix + name, scope, fileSystem, paths)) {
                paths << prefix + name;
            }
        }
    }
    if (!contents->complete) {
        paths << folder;
    }
    return true;
}

}  // namespace

QByteArrayList openFolders(const QByteArrayList& nativePaths, FolderScope scope,
                           const FileSystem& fileSystem) {
    if (scope == FolderScope::NotOpened) {
        return nativePaths;
    }
    QByteArrayList paths;
    for (const QByteArray& path : nativePaths) {
        if (!appendFilesOf(path, scope, fileSystem, paths)) {
            paths << path;
        }
    }
    return paths;
}
