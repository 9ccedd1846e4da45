// The entry cipher: every text deciphers to itself whatever the salt, the
// enciphered form is four hex digits a character and the salt, and any stored
// text deciphers without failing to at most a quarter of its length.
#include "harness.h"
#include "store/entry_cipher.h"

using namespace scrivlet;

namespace {

// Random numbers taken from the input, so the fuzzer steers the salt too.
class InputRandom : public RandomSource {
public:
    explicit InputRandom(std::string_view bytes) : bytes_(bytes) {}
    double next() override {
        if (bytes_.empty()) return 0.5;
        const auto b = static_cast<unsigned char>(bytes_[at_++ % bytes_.size()]);
        return b / 256.0;
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

bool isUpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto [text, randomness] = fuzz::split(fuzz::bytesOf(data, size));
    InputRandom random(randomness);
    const std::string cipher = encipherText(text, random);
    FUZZ_CHECK(cipher.size() == 4 * text.size() + 4);
    for (char c : cipher) FUZZ_CHECK(isUpperHex(c));
    FUZZ_CHECK(decipherText(cipher) == text);
    const std::string any = decipherText(fuzz::bytesOf(data, size));
    FUZZ_CHECK(any.size() <= size / 4);
    return 0;
}
