#pragma once

#include <compare>

// A moment in local time, to the second, as the list shows it.
struct LocalTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    // Field by field from the year down: the order of time.
    auto operator<=>(const LocalTime&) const = default;
};
