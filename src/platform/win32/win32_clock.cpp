#include "platform/win32/win32_clock.h"

#include <windows.h>

#include "platform/win32/win32_text.h"

namespace scrivlet {

namespace {

// Fields out of range for a SYSTEMTIME make the format functions fail, which
// the callers below turn into an empty text.
SYSTEMTIME toSystemTime(const DateTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    st.wDayOfWeek = static_cast<WORD>(t.dayOfWeek);
    return st;
}

// Both format functions report the length they need (terminating NUL included)
// when given no buffer, so the text is never cut short whatever the user's
// format makes of it.
template <typename Format>
std::string formatted(Format format) {
    const int needed = format(nullptr, 0);
    if (needed <= 0) return {};
    std::wstring text(static_cast<std::size_t>(needed), L'\0');
    const int written = format(text.data(), needed);
    if (written <= 0) return {};
    text.resize(static_cast<std::size_t>(written) - 1);
    return narrow(text);
}

}  // namespace

DateTime Win32Clock::now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wDayOfWeek};
}

std::string Win32Clock::timeText(const DateTime& t) {
    const SYSTEMTIME st = toSystemTime(t);
    return formatted([&](wchar_t* buffer, int size) {
        return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, size);
    });
}

std::string Win32Clock::dateText(const DateTime& t) {
    const SYSTEMTIME st = toSystemTime(t);
    return formatted([&](wchar_t* buffer, int size) {
        return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, size);
    });
}

std::string Win32Clock::weekdayName(const DateTime& t) {
    const SYSTEMTIME st = toSystemTime(t);
    return formatted([&](wchar_t* buffer, int size) {
        return GetDateFormatW(LOCALE_USER_DEFAULT, 0, &st, L"dddd", buffer, size);
    });
}

void Win32Clock::sleep(int milliseconds) {
    if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace scrivlet
