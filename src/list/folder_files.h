#pragma once

#include <QByteArrayList>

class FileSystem;

// Which files of a folder among the paths given the fill takes.
enum class FolderScope {
    NotOpened,          // none: the fill passes the folder over
    Files,              // the folder's own
    FilesInSubfolders,  // also those of its sub-folders, at any depth
};

// The paths, each that names a folder replaced by the paths of the files its scope takes, folder
// by folder in the order the folder lists them, its files before its sub-folders'. Hidden files
// and folders are left out, as from a folder's listing, and a symbolic link stays a file, so that
// no circle of links is followed. A folder that cannot be opened or read to its end stays among
// the paths too, for the fill to tell that it passed it over.
QByteArrayList openFolders(const QByteArrayList& nativePaths, FolderScope scope,
                           const FileSystem& fileSystem);
