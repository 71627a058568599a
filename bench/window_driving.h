#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTimer>
#include <QWidget>
#include <algorithm>

// What the window benchmarks share in driving the window.

// As a drag from a file manager arrives: it enters the widget, moves and drops.
inline void dropOnto(QWidget* widget, QMimeData* data) {
    const QPoint at = widget->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &drop);
}

// The longest time the event loop went without serving a timer of the given interval since the
// watch started: what a user sees as the window standing still.
class StallWatch {
  public:
    explicit StallWatch(int intervalMs = 10) {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(intervalMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        restart();
    }
    void restart() {
        m_longest = 0;
        m_last = 0;
        m_clock.start();
        m_timer.start();
    }
    double longestMs() {
        tick();
        return static_cast<double>(m_longest) / 1e6;
    }

  private:
    void tick() {
        const qint64 now = m_clock.nsecsElapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};
