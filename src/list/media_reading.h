#pragma once

#include <memory>
#include <vector>

#include "filesystem/media_tags.h"
#include "filesystem/progress.h"

class FileList;

// The contents of files to be read: each file's path, the kinds still to read, and what was read
// of it before. Made from the list and read apart from it, so that a thread of its own can read
// while the list goes on changing; the result finds its entries again by their paths.
struct MediaReading {
    struct File {
        QString path;
        std::shared_ptr<const MediaTags> known;
    };
    MediaKinds kinds;
    std::vector<File> files;
    std::vector<std::shared_ptr<const MediaTags>> read;  // one for each file once read
};

// The entries whose contents lack one of kinds.
MediaReading mediaToRead(const FileList& list, MediaKinds kinds);
// Reads every file of reading, on several threads for many.
void readFiles(MediaReading& reading, const ProgressCallback& progress = {});
// Gives each entry of the list that still lacks the kinds what was read from its path.
void takeMediaRead(FileList& list, const MediaReading& reading);
