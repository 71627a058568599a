#include "ui/delay_timer.h"

QtDelayTimer::QtDelayTimer() {
    m_timer.setSingleShot(true);
    m_timer.setInterval(kCheckDelayMs);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (onTick) {
            onTick();
        }
    });
}
