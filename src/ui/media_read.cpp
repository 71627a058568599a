#include "ui/media_read.h"

#include <QtConcurrent/QtConcurrentRun>

MediaRead::MediaRead() {
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &MediaRead::finished);
}

MediaRead::~MediaRead() {
    if (m_running) {
        m_watcher.waitForFinished();
    }
}

void MediaRead::readFor(const FileList& list, MediaKinds kinds) {
    if (m_running) {
        return;
    }
    MediaReading reading = mediaToRead(list, kinds);
    if (reading.files.empty()) {
        return;
    }
    m_running = true;
    m_watcher.setFuture(QtConcurrent::run([reading = std::move(reading)]() mutable {
        readFiles(reading);
        return std::move(reading);
    }));
}

void MediaRead::takeInto(FileList& list) {
    m_running = false;
    takeMediaRead(list, m_watcher.future().takeResult());
}
