#include "platform/win32/win32_native_positions.h"

#include <algorithm>

#include "platform/unicode.h"

namespace scrivlet {

NativePositions::NativePositions(std::string_view text) : modelLength_(static_cast<int>(text.size())) {
    int native = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto start = static_cast<int>(i);
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            i += 2;
            native += 1;
        } else if (static_cast<unsigned char>(text[i]) < 0x80) {
            i += 1;
            native += 1;
            continue;
        } else {
            std::size_t length = 0;
            native += static_cast<int>(utf16Units(decodeUtf8(text, i, &length)));
            i += length;
        }
        stretches_.push_back({start, static_cast<int>(i), native});
    }
}

int NativePositions::toNative(int position) const {
    // The last stretch that ends at or before the position; after it, bytes
    // and units agree up to the next one.
    const auto after = std::upper_bound(stretches_.begin(), stretches_.end(), position,
                                        [](int p, const Stretch& s) { return p < s.modelEnd; });
    int model = 0, native = 0;
    if (after != stretches_.begin()) model = std::prev(after)->modelEnd, native = std::prev(after)->nativeEnd;
    if (after != stretches_.end() && position > after->modelStart) return after->nativeEnd;  // inside it
    return native + (position - model);
}

int NativePositions::toModel(int nativePosition) const {
    const auto after = std::upper_bound(stretches_.begin(), stretches_.end(), nativePosition,
                                        [](int p, const Stretch& s) { return p < s.nativeEnd; });
    int model = 0, native = 0;
    if (after != stretches_.begin()) model = std::prev(after)->modelEnd, native = std::prev(after)->nativeEnd;
    // Between the two units of a character beyond U+FFFF.
    if (after != stretches_.end() && nativePosition > native + (after->modelStart - model)) return after->modelEnd;
    return model + (nativePosition - native);
}

}  // namespace scrivlet
