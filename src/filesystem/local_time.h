#pragma once

#include <QtGlobal>
#include <compare>

// A moment in local time, to the second, as the list shows it.
struct LocalTime {
    int year = 1970;
    // Small fields: a list keeps one time per file.
    quint8 month = 1;
    quint8 day = 1;
    quint8 hour = 0;
    quint8 minute = 0;
    quint8 second = 0;

    // Field by field from the year down: the order of time.
    auto operator<=>(const LocalTime&) const = default;
};
