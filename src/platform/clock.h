#pragma once
#include <string>

namespace scrivlet {

struct DateTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
    int dayOfWeek = 6;  // 0 Sunday .. 6 Saturday
};

// Local date and time, and the user's regional text forms of them.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() = 0;
    // The regional long time format ("09:05:07" in German).
    virtual std::string timeText(const DateTime& t) = 0;
    // The regional short date format ("07.12.2026" in German).
    virtual std::string dateText(const DateTime& t) = 0;
    // The full name of the weekday in the user's language ("Montag").
    virtual std::string weekdayName(const DateTime& t) = 0;
    // Waits; used only for short retries, never on a path that must stay fast.
    virtual void sleep(int milliseconds) = 0;
};

}  // namespace scrivlet
