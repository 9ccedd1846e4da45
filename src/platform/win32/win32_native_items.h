#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/ui/list_box.h"

namespace scrivlet {

// The rows a native list box or combo box shows, kept equal to the control's
// items. The control reports only that its items changed; nearly always one
// row came or went, and that is what the window is told, at the row's index
// (the control has sorted already, so the window must not: no LBS_SORT).
class NativeItems {
public:
    enum class Kind { ListBox, ComboBox };
    explicit NativeItems(Kind kind) : kind_(kind) {}
    void show(HWND window, const std::vector<ui::ListItem>& items);

private:
    void insert(HWND window, int index, const std::string& text);
    void remove(HWND window, int index);
    void replaceAll(HWND window, const std::vector<ui::ListItem>& items);

    Kind kind_;
    std::vector<std::string> shown_;
};

}  // namespace scrivlet
