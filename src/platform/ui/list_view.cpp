#include "platform/ui/list_view.h"

#include <algorithm>

namespace scrivlet::ui {

void ListView::setRowCount(int count) {
    rowCount_ = std::max(count, 0);
    listIndex_ = -1;
    changed(Change::Items);
}

void ListView::setListIndex(int index) {
    listIndex_ = index >= 0 && index < rowCount_ ? index : -1;
    changed(Change::Selection);
    if (onClick) onClick();
}

void ListView::reportSelection(int index) {
    const int now = index >= 0 && index < rowCount_ ? index : -1;
    if (now == listIndex_) return;
    listIndex_ = now;
    if (onClick) onClick();
}

int ListView::pageRows() const {
    if (pageRows_ > 0) return pageRows_;
    return std::max(1, geometry().height / RowHeightTwips);
}

}  // namespace scrivlet::ui
