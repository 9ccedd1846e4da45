#pragma once
#include <cstdint>
#include <string>

#include "mainwindow/main_form.h"
#include "mainwindow/resize_layout.h"
#include "store/snippet_file.h"
#include "store/write_result.h"

namespace scrivlet {

class Program;

// The main window's behaviour: the entry list, the editor, the destination
// controls, the menus and buttons, and the start-up and shut-down sequence.
class MainWindow {
public:
    explicit MainWindow(Program& program);
    ~MainWindow();

    // The start-up sequence; the window is visible afterwards.
    void load();

    // Brings enabled states, colours, the list selection and the destination
    // option in line with the data.
    void refreshControls();
    // Puts a freshly loaded snippet file into the controls.
    void bindSnippets(const SnippetList& list);

    // The entry number of the current entry, 0 when there is none.
    EntryNumber currentEntry() const;
    // Writes one value of the current entry; nothing without a current entry.
    WriteResult writeCurrentField(const std::string& section, const std::string& value);
    // Tells the user once when a command's writes did not reach the file.
    void reportWrite(WriteResult result);

    void showWindow();
    void hideWindow();
    // Ends the program: the window unloads.
    void quit();

    MainForm form;

    std::int16_t currEntryListIndex = -1;
    std::string searchText;
    bool titleModeChosen = false;
    bool entryLoading = false;

private:
    void wireEvents();
    void installTrayIcon();
    void wireMenus();
    void selectEntry();
    void destinationChosen(int index);
    void titleBoxLeft();
    void rememberTitle();
    void editorMouseDown(const ui::MouseEvent& e);
    void queryUnload(ui::CloseReason reason, bool& cancel);
    void unloading();
    void cut();
    void copy();
    void paste();
    void deleteSelection();
    void find();
    void findNext();
    void showAbout();

    Program& program_;
    ResizeLayout layout_;
};

}  // namespace scrivlet
