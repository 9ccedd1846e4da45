#include "store/entry_cipher.h"

#include <cmath>

#include "store/number_text.h"

namespace scrivlet {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The value of the leading hexadecimal digits of a group; none gives 0.
unsigned groupValue(std::string_view group) {
    unsigned value = 0;
    for (char c : group) {
        const int d = hexDigit(c);
        if (d < 0) break;
        value = value * 16 + static_cast<unsigned>(d);
    }
    return value;
}

unsigned drawBelow(RandomSource& random, unsigned limit) {
    const auto v = static_cast<unsigned>(std::floor(random.next() * limit));
    return v < limit ? v : limit - 1;
}

}  // namespace

std::string hexPad(unsigned long value, std::size_t width) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    do {
        out.insert(out.begin(), digits[value % 16]);
        value /= 16;
    } while (value != 0);
    if (out.size() < width) out.insert(0, width - out.size(), '0');
    return out;
}

unsigned char cipherKeyByte(unsigned salt, std::size_t position) {
    const int shift = static_cast<int>(position % 8);
    return static_cast<unsigned char>(roundHalfEven(std::ldexp(static_cast<double>(salt), -shift)) &
                                      0xFF);
}

std::string encipherText(std::string_view plain, RandomSource& random) {
    const unsigned salt = drawBelow(random, 65536);
    std::string out;
    out.reserve(4 * (plain.size() + 1));
    for (std::size_t i = 1; i <= plain.size(); ++i) {
        const unsigned c = static_cast<unsigned char>(plain[i - 1]);
        const unsigned m = c ^ cipherKeyByte(salt, i);
        const unsigned high = drawBelow(random, 16);
        const unsigned low = drawBelow(random, 16);
        out += hexPad(high * 4096 + m * 16 + low, 4);
    }
    out += hexPad(salt, 4);
    return out;
}

std::string decipherText(std::string_view cipher) {
    if (cipher.size() < 5) return "";
    const unsigned salt = groupValue(cipher.substr(cipher.size() - 4)) & 0xFFFF;
    std::string out;
    out.reserve(cipher.size() / 4);
    for (std::size_t start = 0; start + 4 < cipher.size(); start += 4) {
        const unsigned m = (groupValue(cipher.substr(start, 4)) & 0xFF0) / 16;
        out += static_cast<char>(m ^ cipherKeyByte(salt, out.size() + 1));
    }
    return out;
}

}  // namespace scrivlet
