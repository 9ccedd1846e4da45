#pragma once
#include "platform/clock.h"

namespace scrivlet {

// A clock the test sets; texts in German regional formats.
class SimClock : public Clock {
public:
    // Every reading lets the time set by advanceOnEachRead pass after it.
    DateTime now() override;
    std::string timeText(const DateTime& t) override;
    std::string dateText(const DateTime& t) override;
    std::string weekdayName(const DateTime& t) override;
    // Time passes at once.
    void sleep(int milliseconds) override;

    // Sets the date and time; the weekday follows from the date.
    void set(int year, int month, int day, int hour, int minute, int second);
    void advanceSeconds(long long seconds);
    // A clock that moves while the program works: each reading of now() is
    // followed by this many seconds.
    void advanceOnEachRead(int seconds) { secondsPerRead_ = seconds; }

private:
    DateTime now_{2026, 12, 7, 9, 5, 7, 1};
    int pendingMilliseconds_ = 0;
    int secondsPerRead_ = 0;
};

}  // namespace scrivlet
