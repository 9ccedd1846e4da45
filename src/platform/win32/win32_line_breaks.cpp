#include "platform/win32/win32_line_breaks.h"

#include <algorithm>

namespace scrivlet {

LineBreakMap::LineBreakMap(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '\r' && text[i + 1] == '\n') breaks_.push_back(static_cast<int>(i++));
}

int LineBreakMap::toNative(int position) const {
    // Every break whose LF lies before the position counts one less.
    const auto before = std::lower_bound(breaks_.begin(), breaks_.end(), position - 1) - breaks_.begin();
    return position - static_cast<int>(before);
}

int LineBreakMap::toModel(int nativePosition) const {
    // Break k stands at native position breaks_[k] - k; each one before the
    // position adds its LF.
    int low = 0, high = static_cast<int>(breaks_.size());
    while (low < high) {
        const int middle = (low + high) / 2;
        if (breaks_[static_cast<std::size_t>(middle)] - middle < nativePosition)
            low = middle + 1;
        else
            high = middle;
    }
    return nativePosition + low;
}

}  // namespace scrivlet
