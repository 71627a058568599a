#pragma once

#include "plan/delay_timer.h"

// A delay that only ends when the test says so.
class FakeDelayTimer : public DelayTimer {
  public:
    void restart() override {
        m_active = true;
        ++restarts;
    }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }

    int restarts = 0;

  private:
    bool m_active = false;
};
