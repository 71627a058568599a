#include "plan/delay_timer.h"

QtDelayTimer::QtDelayTimer(std::function<void()> onTick, int intervalMs) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(intervalMs);
    QObject::connect(&m_timer, &QTimer::timeout, std::move(onTick));
}
