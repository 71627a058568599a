#pragma once

#include "ui/delay_timer.h"

// A delay that runs out only when the test says so.
class FakeDelayTimer : public DelayTimer {
  public:
    void restart() override { m_active = true; }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    // The delay runs out.
    void fire() {
        m_active = false;
        onTick();
    }

  private:
    bool m_active = false;
};
