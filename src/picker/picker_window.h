#pragma once
#include <functional>
#include <string>
#include <vector>

#include "picker/picker_form.h"
#include "picker/picker_index.h"
#include "picker/recent_entries.h"
#include "platform/files.h"
#include "platform/ui/ui_backend.h"
#include "platform/window_system.h"
#include "store/snippet_file.h"

namespace scrivlet {

// What the picker asks of the rest of the program.
struct PickerLinks {
    // The window an entry without a title goes to, found as the menu finds
    // it, once the window the user was typing in is in front again.
    std::function<WindowId()> captureTarget;
    // Sends the entry through the program's one send path, an entry without
    // a title to the window given.
    std::function<void(EntryNumber, WindowId)> send;
    // Asked before the names of a changed file are read, as the menu asks.
    std::function<bool()> fileReadable;
};

// The quick picker: a small window at the place the user types at, with a
// search over every entry's name and text. The hotkey opens it and closes
// it again; Enter or a double click sends the selected entry to the window
// that was active before; Esc, the hotkey or a click elsewhere closes it.
// The keys that move in the list do so while the cursor stays in the search
// field, so the user can go on typing.
class PickerWindow {
public:
    // The window through ui; the window in front, the place the user types
    // at and the activation given back through windows; the snippet file's
    // stamp, which tells whether the index is current, through files.
    struct Services {
        ui::UiBackend& ui;
        WindowSystem& windows;
        FileSystem& files;
    };

    PickerWindow(Services services, SnippetFile& file, std::string caption, PickerLinks links);

    // The hotkey: opens the picker, or closes it when it is open.
    void hotkeyPressed();
    bool isOpen() const { return open_; }
    // Makes the window and reads the index ahead of the first opening.
    void prepare();
    // An entry was sent, however it was chosen: an empty query lists it first.
    void noteSent(EntryNumber n);
    void unload();

    PickerForm form;

private:
    void create();
    void open();
    // Closes the picker; with giveBack the window active before is active
    // again (a click elsewhere has activated another one already).
    void close(bool giveBack);
    // The empty query's list from the index as it is, its first row
    // selected. Reads nothing: a message about the file must not come up
    // while the picker closes.
    void readyForOpening();
    void search();
    void showPreview();
    // Moves the selection by rows (clamped to the list), or to an end.
    void moveSelection(int rows);
    void sendSelected();
    void onSearchKey(ui::KeyEvent& key);

    ui::UiBackend& ui_;
    WindowSystem& windows_;
    SnippetFile& file_;
    std::string caption_;
    PickerLinks links_;
    PickerIndex index_;
    RecentEntries recent_;
    std::vector<EntryNumber> found_;
    bool created_ = false;
    bool open_ = false;
    // The list shows the empty query's hits for the index and the entries
    // sent last as they are.
    bool listCurrent_ = false;
    // The window that was active when the hotkey was pressed.
    WindowId previous_ = 0;
};

}  // namespace scrivlet
