#pragma once

#include <QTimer>
#include <functional>

// The one-shot delay after which a change made by typing or clicking is checked.
class DelayTimer {
  public:
    virtual ~DelayTimer() = default;
    // Counts the delay afresh from now.
    virtual void restart() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

    // Called when the delay has run out.
    std::function<void()> onTick;
};

inline constexpr int kCheckDelayMs = 1500;

// The delay on the event loop of the calling thread.
class QtDelayTimer : public DelayTimer {
  public:
    QtDelayTimer();
    void restart() override { m_timer.start(); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

  private:
    QTimer m_timer;
};
