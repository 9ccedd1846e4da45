// The local clock and the user's regional formats. The Wine runs use German
// regional settings (LANG=de_DE.UTF-8), and what is held here is what Wine's
// German locale gives: long time "HH:mm:ss", short date "d.M.yyyy".
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <tuple>

#include "platform/win32/win32_clock.h"

namespace scrivlet::test {
namespace {

DateTime at(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
    using namespace std::chrono;
    const sys_days date = year_month_day{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                                         std::chrono::day(static_cast<unsigned>(day))};
    return {year, month, day, hour, minute, second, static_cast<int>(weekday(date).c_encoding())};
}

class Win32ClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())), LANG_GERMAN)
            << "run under LANG=de_DE.UTF-8, as scripts/wine-run does";
    }
    Win32Clock clock;
};

struct TimeCase {
    const char* label;
    DateTime when;
    const char* text;
};

void PrintTo(const TimeCase& c, std::ostream* out) { *out << c.label; }

class TimeText : public Win32ClockTest, public ::testing::WithParamInterface<TimeCase> {};

TEST_P(TimeText, IsTheLongTimeFormat) { EXPECT_EQ(clock.timeText(GetParam().when), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(German, TimeText,
                         ::testing::Values(TimeCase{"Morning", at(2026, 12, 7, 9, 5, 7), "09:05:07"},
                                           TimeCase{"Midnight", at(2026, 1, 1, 0, 0, 0), "00:00:00"},
                                           TimeCase{"Evening", at(2026, 6, 30, 23, 59, 58), "23:59:58"},
                                           TimeCase{"Noon", at(2000, 2, 29, 12, 30, 0), "12:30:00"}),
                         [](const auto& p) { return std::string(p.param.label); });

class DateText : public Win32ClockTest, public ::testing::WithParamInterface<TimeCase> {};

TEST_P(DateText, IsTheShortDateFormat) { EXPECT_EQ(clock.dateText(GetParam().when), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(German, DateText,
                         ::testing::Values(TimeCase{"SingleDigits", at(2026, 1, 2), "2.1.2026"},
                                           TimeCase{"DoubleDigits", at(2026, 12, 17), "17.12.2026"},
                                           TimeCase{"LeapDay", at(2024, 2, 29), "29.2.2024"},
                                           TimeCase{"LastCentury", at(1999, 12, 31), "31.12.1999"}),
                         [](const auto& p) { return std::string(p.param.label); });

TEST_F(Win32ClockTest, WeekdaysHaveTheirGermanNames) {
    // 6 to 12 December 2026 runs from Sunday to Saturday.
    const char* const names[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                 "Donnerstag", "Freitag", "Samstag"};
    for (int i = 0; i < 7; ++i) {
        const DateTime day = at(2026, 12, 6 + i);
        ASSERT_EQ(day.dayOfWeek, i);
        EXPECT_EQ(clock.weekdayName(day), names[i]) << "6+" << i << ".12.2026";
    }
}

TEST_F(Win32ClockTest, WhatCannotBeOnAClockHasNoText) {
    const DateTime impossibleDays[] = {{2026, 13, 1, 12, 0, 0, 0}, {2026, 2, 30, 12, 0, 0, 0}};
    for (const auto& t : impossibleDays) {
        SCOPED_TRACE(std::to_string(t.day) + "." + std::to_string(t.month));
        EXPECT_EQ(clock.dateText(t), "");
        EXPECT_EQ(clock.weekdayName(t), "");
    }
    const DateTime impossibleTimes[] = {at(2026, 1, 1, 24, 0, 0), at(2026, 1, 1, 12, 60, 0)};
    for (const auto& t : impossibleTimes) {
        SCOPED_TRACE(std::to_string(t.hour) + ":" + std::to_string(t.minute));
        EXPECT_EQ(clock.timeText(t), "");
    }
}

TEST_F(Win32ClockTest, NowIsTheLocalTimeWithItsWeekday) {
    auto fields = [](const DateTime& t) {
        return std::tuple(t.year, t.month, t.day, t.hour, t.minute, t.second);
    };
    auto system = [] {
        SYSTEMTIME st{};
        GetLocalTime(&st);
        return std::tuple<int, int, int, int, int, int>(st.wYear, st.wMonth, st.wDay, st.wHour,
                                                        st.wMinute, st.wSecond);
    };
    const auto before = system();
    const DateTime now = clock.now();
    const auto after = system();
    EXPECT_LE(before, fields(now));
    EXPECT_LE(fields(now), after);
    EXPECT_EQ(now.dayOfWeek, at(now.year, now.month, now.day).dayOfWeek);
}

TEST_F(Win32ClockTest, SleepWaitsAtLeastAsLongAsAsked) {
    const auto start = std::chrono::steady_clock::now();
    clock.sleep(120);
    // Only the lower bound: how much longer the system lets it sleep is not ours.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(115));
}

}  // namespace
}  // namespace scrivlet::test
