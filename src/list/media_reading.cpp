#include "list/media_reading.h"

#include <QHash>
#include <algorithm>
#include <atomic>
#include <thread>

#include "list/file_list.h"

namespace {

// Below this many files a second thread costs more than it saves.
constexpr size_t kFilesWorthAThread = 64;

bool lacks(const FileEntry& entry, MediaKinds kinds) {
    return !entry.media || (entry.media->read & kinds) != kinds;
}

}  // namespace

MediaReading mediaToRead(const FileList& list, MediaKinds kinds) {
    MediaReading reading;
    reading.kinds = kinds;
    if (!kinds) {
        return reading;
    }
    for (const FileEntry& entry : list) {
        if (lacks(entry, kinds)) {
            reading.files.push_back({entry.PfadName(), entry.media});
        }
    }
    return reading;
}

void readFiles(MediaReading& reading, const ProgressCallback& progress) {
    const size_t count = reading.files.size();
    reading.read.assign(count, nullptr);
    // The files are taken one by one from a shared position: their sizes differ a lot.
    std::atomic<size_t> next = 0;
    const auto readSome = [&](bool report) {
        for (size_t i = next++; i < count; i = next++) {
            const MediaReading::File& file = reading.files[i];
            auto tags = file.known ? std::make_shared<MediaTags>(*file.known)
                                   : std::make_shared<MediaTags>();
            readMediaTags(file.path, reading.kinds, *tags);
            reading.read[i] = std::move(tags);
            if (report && progress) {
                progress(static_cast<int>(i + 1), static_cast<int>(count));
            }
        }
    };
    const size_t threads = std::clamp<size_t>(count / kFilesWorthAThread, 1,
                                              std::max(1U, std::thread::hardware_concurrency()));
    std::vector<std::thread> helpers;
    for (size_t t = 1; t < threads; ++t) {
        helpers.emplace_back(readSome, false);
    }
    readSome(true);
    for (std::thread& helper : helpers) {
        helper.join();
    }
    if (progress && count > 0) {
        progress(0, static_cast<int>(count));
    }
}

void takeMediaRead(FileList& list, const MediaReading& reading) {
    QHash<QString, size_t> byPath;
    byPath.reserve(static_cast<qsizetype>(reading.files.size()));
    for (size_t i = 0; i < reading.files.size(); ++i) {
        byPath.insert(reading.files[i].path, i);
    }
    for (FileEntry& entry : list) {
        if (!lacks(entry, reading.kinds)) {
            continue;
        }
        const auto found = byPath.constFind(entry.PfadName());
        if (found != byPath.cend() && reading.read[*found]) {
            entry.media = reading.read[*found];
        }
    }
}
