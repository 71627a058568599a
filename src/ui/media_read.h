#pragma once

#include <QFutureWatcher>
#include <QObject>

#include "list/media_reading.h"

class FileList;

// Reads the values a mask takes from the files' contents off the window thread. The reading is
// handed back whole and finds its entries by their paths, so the list may change meanwhile; a
// file not read then is read by the next reading.
class MediaRead : public QObject {
    Q_OBJECT

  public:
    MediaRead();
    // Waits for a reading still running.
    ~MediaRead() override;

    // Starts reading the kinds of the entries that lack them, unless a reading runs or none
    // lacks them.
    void readFor(const FileList& list, MediaKinds kinds);
    // Gives the list what the finished reading found.
    void takeInto(FileList& list);

  Q_SIGNALS:
    void finished();

  private:
    bool m_running = false;
    QFutureWatcher<MediaReading> m_watcher;
};
