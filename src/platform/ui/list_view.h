#pragma once
#include <functional>
#include <string>

#include "platform/ui/control.h"

namespace scrivlet::ui {

// A list of one column whose rows the program hands out only when they are
// shown (a list view in owner-data mode): setting 10,000 rows costs no more
// than setting ten. Setting the selected row from code raises onClick as
// the user's selection does.
class ListView : public Control {
public:
    // The height of a row on a screen of 15 twips per pixel (17 pixels).
    static constexpr int RowHeightTwips = 255;

    using Control::Control;
    bool focusable() const override { return true; }

    int rowCount() const { return rowCount_; }
    // The rows are new (their number, their texts, or both); none is
    // selected afterwards, and the list shows its first rows.
    void setRowCount(int count);
    // The text of a row, from rowText.
    std::string text(int row) const { return rowText && row >= 0 && row < rowCount_ ? rowText(row) : std::string(); }
    std::function<std::string(int row)> rowText;

    // -1 when no row is selected.
    int listIndex() const { return listIndex_; }
    // Selects the row (a row out of range selects none) and shows it.
    void setListIndex(int index);
    // The rows the list shows at once, at least one.
    int pageRows() const;

    void doubleClick() {
        if (enabled() && onDoubleClick) onDoubleClick();
    }
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;

    // Reports of the native list: the user's selection, and how many rows
    // it shows at once.
    void reportSelection(int index);
    void reportPageRows(int rows) { pageRows_ = rows; }

private:
    int rowCount_ = 0;
    int listIndex_ = -1;
    int pageRows_ = 0;
};

}  // namespace scrivlet::ui
