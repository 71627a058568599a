#include "ui/progress_pace.h"

#include <QElapsedTimer>
#include <utility>

ProgressCallback pacedProgress(ProgressCallback show) {
    return [show = std::move(show), clock = QElapsedTimer(), calls = 0](int value,
                                                                        int maximum) mutable {
        if (value == 0) {
            show(0, maximum);
        } else if (!clock.isValid()) {
            clock.start();
            show(value, maximum);
        } else if (++calls % 256 == 0 && clock.elapsed() >= kProgressIntervalMs) {
            clock.start();
            show(value, maximum);
        }
    };
}
