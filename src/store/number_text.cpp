#include "store/number_text.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace scrivlet {

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::string number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) number += text[i++];
    bool digits = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') number += text[i++], digits = true;
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            number += text[i++], digits = true;
    }
    if (!digits) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) exponent += text[j++];
        bool expDigits = false;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9' && exponent.size() < 6)
            exponent += text[j++], expDigits = true;
        if (expDigits) number += exponent;
    }
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

long long roundHalfEven(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 9.0e18) return 0;
    return static_cast<long long>(std::nearbyint(value));  // default rounding mode: to even
}

}  // namespace scrivlet
