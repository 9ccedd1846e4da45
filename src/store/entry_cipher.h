#pragma once
#include <string>
#include <string_view>

#include "platform/random_source.h"

namespace scrivlet {

// Enciphered entry texts: four hexadecimal digits per character (4 random bits,
// the character XOR a key byte derived from a random 16-bit salt, 4 random
// bits), then the salt in clear. It keeps a text from being read at a glance
// in the file; it is no protection against anyone with this routine.
std::string encipherText(std::string_view plain, RandomSource& random);
// Accepts any text and never fails; fewer than five characters give "".
std::string decipherText(std::string_view cipher);

// The number in upper-case hexadecimal, padded with "0" on the left to width.
std::string hexPad(unsigned long value, std::size_t width);

// The key byte of the 1-based position for a salt.
unsigned char cipherKeyByte(unsigned salt, std::size_t position);

}  // namespace scrivlet
