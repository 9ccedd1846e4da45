#include "platform/win32/win32_native_items.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace scrivlet {

namespace {

// The index of the first row where the two lists differ.
std::size_t firstDifference(const std::vector<std::string>& shown, const std::vector<ui::ListItem>& items) {
    std::size_t i = 0;
    while (i < shown.size() && i < items.size() && shown[i] == items[i].text) ++i;
    return i;
}

// Whether shown[from + shift..] equals items[from..] (shift +1: one row fewer
// in items) or shown[from..] equals items[from + 1..] (shift -1: one more).
bool restEqual(const std::vector<std::string>& shown, const std::vector<ui::ListItem>& items, std::size_t from,
               int shift) {
    const std::size_t s = shift > 0 ? from + 1 : from;
    const std::size_t m = shift < 0 ? from + 1 : from;
    if (shown.size() - s != items.size() - m) return false;
    for (std::size_t k = 0; s + k < shown.size(); ++k)
        if (shown[s + k] != items[m + k].text) return false;
    return true;
}

}  // namespace

void NativeItems::show(HWND window, const std::vector<ui::ListItem>& items) {
    const std::size_t at = firstDifference(shown_, items);
    if (at == shown_.size() && at == items.size()) return;
    if (items.size() == shown_.size() + 1 && restEqual(shown_, items, at, -1)) {
        insert(window, static_cast<int>(at), items[at].text);
        shown_.insert(shown_.begin() + static_cast<std::ptrdiff_t>(at), items[at].text);
        return;
    }
    if (items.size() + 1 == shown_.size() && restEqual(shown_, items, at, +1)) {
        remove(window, static_cast<int>(at));
        shown_.erase(shown_.begin() + static_cast<std::ptrdiff_t>(at));
        return;
    }
    replaceAll(window, items);
}

void NativeItems::insert(HWND window, int index, const std::string& text) {
    SendMessageW(window, kind_ == Kind::ListBox ? LB_INSERTSTRING : CB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(wide(text).c_str()));
}

void NativeItems::remove(HWND window, int index) {
    SendMessageW(window, kind_ == Kind::ListBox ? LB_DELETESTRING : CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void NativeItems::replaceAll(HWND window, const std::vector<ui::ListItem>& items) {
    UniqueRedrawPause paused = pauseRedraw(window);
    // A list refilled while the user reads it stays scrolled where it was.
    const LRESULT top = kind_ == Kind::ListBox ? SendMessageW(window, LB_GETTOPINDEX, 0, 0) : 0;
    SendMessageW(window, kind_ == Kind::ListBox ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
    shown_.clear();
    // Room for all rows at once rather than growing row by row (a UTF-8
    // text has at least as many bytes as UTF-16 units).
    std::size_t bytes = 0;
    for (const auto& item : items) bytes += (item.text.size() + 1) * sizeof(wchar_t);
    SendMessageW(window, kind_ == Kind::ListBox ? LB_INITSTORAGE : CB_INITSTORAGE, items.size(),
                 static_cast<LPARAM>(bytes));
    shown_.reserve(items.size());
    for (const auto& item : items) {
        insert(window, -1, item.text);
        shown_.push_back(item.text);
    }
    if (kind_ == Kind::ListBox && top > 0) SendMessageW(window, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    // Drawn once, after the last row.
    paused.reset();
    InvalidateRect(window, nullptr, TRUE);
}

}  // namespace scrivlet
