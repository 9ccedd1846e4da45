#include "platform/sim/sim_clock.h"

#include <chrono>
#include <cstdio>

namespace scrivlet {

namespace {
std::string twoDigits(int v) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", v);
    return buffer;
}
}  // namespace

DateTime SimClock::now() {
    const DateTime read = now_;
    if (secondsPerRead_ != 0) advanceSeconds(secondsPerRead_);
    return read;
}

std::string SimClock::timeText(const DateTime& t) {
    return twoDigits(t.hour) + ":" + twoDigits(t.minute) + ":" + twoDigits(t.second);
}

std::string SimClock::dateText(const DateTime& t) {
    return twoDigits(t.day) + "." + twoDigits(t.month) + "." + std::to_string(t.year);
}

std::string SimClock::weekdayName(const DateTime& t) {
    static const char* const names[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                        "Donnerstag", "Freitag", "Samstag"};
    return names[t.dayOfWeek % 7];
}

void SimClock::sleep(int milliseconds) {
    pendingMilliseconds_ += milliseconds;
    advanceSeconds(pendingMilliseconds_ / 1000);
    pendingMilliseconds_ %= 1000;
}

void SimClock::set(int year, int month, int day, int hour, int minute, int second) {
    using namespace std::chrono;
    const sys_days date = year_month_day{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                                         std::chrono::day(static_cast<unsigned>(day))};
    now_ = {year, month, day, hour, minute, second,
            static_cast<int>(weekday(date).c_encoding())};
}

void SimClock::advanceSeconds(long long seconds) {
    using namespace std::chrono;
    const sys_days date =
        year_month_day{std::chrono::year(now_.year), std::chrono::month(static_cast<unsigned>(now_.month)),
                       std::chrono::day(static_cast<unsigned>(now_.day))};
    auto total = sys_seconds(date) + hours(now_.hour) + minutes(now_.minute) +
                 std::chrono::seconds(now_.second + seconds);
    const auto day = floor<days>(total);
    const year_month_day ymd(day);
    const hh_mm_ss hms(total - day);
    set(static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
        static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(hms.hours().count()),
        static_cast<int>(hms.minutes().count()), static_cast<int>(hms.seconds().count()));
}

}  // namespace scrivlet
