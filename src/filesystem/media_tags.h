#pragma once

#include <QFlags>
#include <QString>
#include <optional>

#include "filesystem/local_time.h"

// The kinds of contents a file's values are read from, each by its own library.
enum class MediaKind : quint8 {
    Photo = 1,  // EXIF of an image
    Audio = 2,  // the tags of a sound file
};
Q_DECLARE_FLAGS(MediaKinds, MediaKind)
Q_DECLARE_OPERATORS_FOR_FLAGS(MediaKinds)

// One value a name can take from a file beside its name and times.
enum class MediaField : quint8 {
    Taken,  // when the photo was taken
    Camera,
    Artist,
    Title,
    Album,
    Track,
    Year,
    Folder,   // the name of the file's folder
    NotRead,  // the file's contents have not been read yet
};

// What a file's contents say, for the kinds read so far; an empty text or 0 where they say
// nothing.
struct MediaTags {
    MediaKinds read;
    std::optional<LocalTime> taken;
    QString camera;
    QString artist;
    QString title;
    QString album;
    int track = 0;
    int year = 0;
};

// Reads the kinds into tags and notes them as read; a file the library cannot read, or of
// another kind, leaves their values empty.
void readMediaTags(const QString& path, MediaKinds kinds, MediaTags& tags);
