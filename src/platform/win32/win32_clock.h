#pragma once
#include "platform/clock.h"

namespace scrivlet {

// The local clock and the formats of the user's regional settings.
class Win32Clock : public Clock {
public:
    DateTime now() override;
    std::string timeText(const DateTime& t) override;
    std::string dateText(const DateTime& t) override;
    std::string weekdayName(const DateTime& t) override;
    void sleep(int milliseconds) override;
};

}  // namespace scrivlet
