#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>

#include "filesystem/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>

// What the reading and the renaming of the Linux file system share: paths as the kernel takes
// them, and the identity of the entry under a name.

// The path as the kernel takes it; nothing when an embedded NUL would cut it short and so name
// another file.
std::optional<QByteArray> nativePath(const QString& path);

// A bare name as the kernel takes it, written into bytes, whose room is kept from one renaming
// to the next; false for a name that is empty or would reach another folder.
bool nativeName(QStringView name, std::string& bytes);

const char* folderOrCurrent(const QByteArray& folder);

// Device and inode alone name a file only while it lives: a new file may get the inode of one
// deleted meanwhile. Its birth time, where the file system keeps one, tells them apart.
FileIdentity identityOf(const struct statx& sx);

// The entry itself, a symbolic link not followed; nothing with errno set when there is none.
std::optional<struct statx> entryAt(int folderFd, const char* path);

std::optional<FileIdentity> identityAt(int folderFd, const char* path);

// Whether what was found is the file of identity.
bool isFile(const std::optional<FileIdentity>& found, const FileIdentity& identity);
