#include "picker/picker_window.h"

#include <algorithm>
#include <utility>

#include "picker/picker_place.h"

namespace scrivlet {

namespace {
// Virtual-key codes of the keys the search field passes to the list.
constexpr int KeyEnter = 0x0D, KeyEscape = 0x1B, KeyPageUp = 0x21, KeyPageDown = 0x22, KeyEnd = 0x23,
              KeyHome = 0x24, KeyUp = 0x26, KeyDown = 0x28;
constexpr int Far = 1 << 30;
}  // namespace

PickerWindow::PickerWindow(Services services, SnippetFile& file, std::string caption, PickerLinks links)
    : form(services.ui),
      ui_(services.ui),
      windows_(services.windows),
      file_(file),
      caption_(std::move(caption)),
      links_(std::move(links)),
      index_(services.files) {
    form.searchTB.onChange = [this] { search(); };
    form.searchTB.onKeyDown = [this](ui::KeyEvent& key) { onSearchKey(key); };
    form.entryList.rowText = [this](int row) {
        const PickerEntry* entry = index_.entry(found_.at(static_cast<std::size_t>(row)));
        return entry ? entry->name : std::string();
    };
    form.entryList.onClick = [this] { showPreview(); };
    form.entryList.onDoubleClick = [this] { sendSelected(); };
    // The user went to another window, another program's or one of the
    // program's own: it keeps the activation.
    form.onLoseActivation = [this] { close(false); };
    // A click in the list leaves the keys with the search field, where Enter
    // and Esc are heard and typing goes on.
    form.entryList.onGotFocus = [this] { form.searchTB.setFocus(); };
    // The close box is Esc.
    form.onQueryUnload = [this](ui::CloseReason reason, bool& cancel) {
        if (reason != ui::CloseReason::User && reason != ui::CloseReason::TaskManager) return;
        cancel = true;
        close(true);
    };
}

void PickerWindow::prepare() {
    create();
    index_.refresh(file_, links_.fileReadable);
    readyForOpening();
}

void PickerWindow::create() {
    if (created_ || form.unloaded()) return;
    created_ = true;
    form.setCaption(caption_);
    form.realize();
}

void PickerWindow::noteSent(EntryNumber n) {
    index_.refresh(file_, links_.fileReadable);
    if (const PickerEntry* entry = index_.entry(n)) recent_.sent(n, entry->name);
    listCurrent_ = false;
}

void PickerWindow::readyForOpening() {
    if (!form.searchTB.text().empty())
        form.searchTB.setText("");  // which searches
    else if (!listCurrent_)
        search();
    else if (!found_.empty() && form.entryList.listIndex() != 0)
        form.entryList.setListIndex(0);
}

void PickerWindow::hotkeyPressed() {
    if (open_)
        close(true);
    else
        open();
}

void PickerWindow::open() {
    if (form.unloaded()) return;
    previous_ = windows_.foreground();
    create();
    // The list was made when the picker closed; made again only when the
    // file or the entries sent last changed since.
    if (index_.refresh(file_, links_.fileReadable)) listCurrent_ = false;
    readyForOpening();

    const TypingSpot spot = windows_.typingSpot();
    const ui::ScreenInfo screen = ui_.screen();
    const ui::Rect size = form.geometry();
    // The size is twips at the form's own resolution, the place twips of the
    // screen.
    const auto pixels = [dpi = form.dpi()](int twips) { return (twips * dpi + 720) / 1440; };
    const ScreenRect place = placeAtTypingSpot(spot, pixels(size.width), pixels(size.height));
    form.setGeometry({screen.twipsX(place.left), screen.twipsY(place.top), size.width, size.height});

    open_ = true;
    // Named before the window shows, so its activation hands the keys to the
    // search field at once: the user types as soon as the picker appears.
    form.searchTB.setFocus();
    form.show();
    // Shown, the form asks for the foreground itself; asked again only when
    // that was refused, since the answer waits for the activation to settle.
    if (const WindowId own = ui_.windowOf(form); own && windows_.foreground() != own)
        windows_.bringToForeground(own);
}

void PickerWindow::close(bool giveBack) {
    if (!open_) return;
    open_ = false;
    // Given back before the picker goes, so the system activates no other
    // window of the program meanwhile.
    if (giveBack && windows_.exists(previous_)) windows_.bringToForeground(previous_);
    form.hide();
    // The next opening's list is made now, while the user is back at work:
    // for 10,000 entries that is most of what an opening would take beside
    // showing the window.
    readyForOpening();
}

void PickerWindow::search() {
    found_ = index_.search(form.searchTB.text(), recent_);
    listCurrent_ = form.searchTB.text().empty();
    form.entryList.setRowCount(static_cast<int>(found_.size()));
    // The first hit is always selected: Enter sends it.
    if (found_.empty())
        showPreview();
    else
        form.entryList.setListIndex(0);
}

void PickerWindow::showPreview() {
    const int row = form.entryList.listIndex();
    std::string text;
    if (row >= 0 && row < static_cast<int>(found_.size())) {
        for (const std::string& line : index_.preview(found_[static_cast<std::size_t>(row)])) {
            if (!text.empty()) text += "\r\n";
            text += line;
        }
    }
    form.preview.setCaption(text);
}

void PickerWindow::moveSelection(int rows) {
    const int count = form.entryList.rowCount();
    if (count == 0) return;
    const int now = std::max(form.entryList.listIndex(), 0);
    const long long wanted = static_cast<long long>(now) + rows;
    form.entryList.setListIndex(static_cast<int>(std::clamp<long long>(wanted, 0, count - 1)));
}

void PickerWindow::onSearchKey(ui::KeyEvent& key) {
    const bool plain = key.shift == ui::shift::None;
    const int page = form.entryList.pageRows();
    key.consumed = true;
    switch (key.keyCode) {
        case KeyUp: moveSelection(-1); break;
        case KeyDown: moveSelection(1); break;
        case KeyPageUp: moveSelection(-page); break;
        case KeyPageDown: moveSelection(page); break;
        // With Shift they select in the field, as everywhere.
        case KeyHome:
            if (!plain) key.consumed = false; else moveSelection(-Far);
            break;
        case KeyEnd:
            if (!plain) key.consumed = false; else moveSelection(Far);
            break;
        case KeyEnter: sendSelected(); break;
        case KeyEscape: close(true); break;
        default: key.consumed = false; break;
    }
}

void PickerWindow::sendSelected() {
    const int row = form.entryList.listIndex();
    if (!open_ || row < 0 || row >= static_cast<int>(found_.size())) return;
    const EntryNumber n = found_[static_cast<std::size_t>(row)];
    close(true);
    // With the window of the hotkey in front again, the target is found as
    // the menu finds it, and as it would have been found then: the walk over
    // every window costs the opening nothing.
    const WindowId target = links_.captureTarget ? links_.captureTarget() : previous_;
    if (links_.send) links_.send(n, target);
}

void PickerWindow::unload() { form.unload(); }

}  // namespace scrivlet
