#pragma once
#include "platform/clock.h"

namespace scrivlet {

// A clock the test sets; texts in German regional formats.
class SimClock : public Clock {
public:
    DateTime now() override { return now_; }
    std::string timeText(const DateTime& t) override;
    std::string dateText(const DateTime& t) override;
    std::string weekdayName(const DateTime& t) override;
    // Time passes at once.
    void sleep(int milliseconds) override;

    // Sets the date and time; the weekday follows from the date.
    void set(int year, int month, int day, int hour, int minute, int second);
    void advanceSeconds(long long seconds);

private:
    DateTime now_{2026, 12, 7, 9, 5, 7, 1};
    int pendingMilliseconds_ = 0;
};

}  // namespace scrivlet
