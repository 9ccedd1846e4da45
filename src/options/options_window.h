#pragma once
#include <functional>
#include <string>

#include "options/autostart.h"
#include "options/options_form.h"
#include "store/message_boxes.h"
#include "platform/dialogs.h"
#include "platform/programs.h"
#include "platform/ui/ui_backend.h"
#include "store/snippet_file.h"
#include "store/write_result.h"

namespace scrivlet {

// What the options dialog asks of the rest of the program.
struct OptionsLinks {
    // Puts the dialog beside the main window.
    std::function<void(ui::Form&)> placeBesideMainWindow;
    // "&Standard" and "Speicherort selbst festlegen ...": the snippet file is
    // settled on anew and loaded (which shows its path here again).
    std::function<void()> useStandardFile;
    std::function<void(WindowId owner)> chooseFolder;
    // A border colour for the strip, the edge bars and the sample.
    std::function<void(Colour)> applyBorderColour;
    // Places the border strip as the options say.
    std::function<void()> applyBorderStrip;
    // The quick picker's hotkey of the options is held from now on, and
    // none while the user is pressing a new one in the field (pause).
    std::function<void()> applyPickerHotkey;
    std::function<void(bool pause)> pausePickerHotkey;
    // Tells the user once when the options did not reach the file.
    std::function<void(WriteResult)> reportWrite;
    // The abbreviation options changed: they take effect at once.
    std::function<void()> applyAbbreviations{};
};

// The options dialog: the snippet file's place, how the pop-up menu opens and
// looks, the quick picker's hotkey, and the start at logon. Its changes take effect in memory at once;
// "&OK" writes the options to the file and places the strip anew. Made hidden
// when the snippet file's path is first shown, it lives until the program
// ends; its close box only hides it.
class OptionsWindow {
public:
    // The dialog's windows through ui; the colour chooser through dialogs;
    // the file manager through programs; the start at logon through the rest.
    struct Services {
        ui::UiBackend& ui;
        Dialogs& dialogs;
        Programs& programs;
        Autostart::Services autostart;
    };

    OptionsWindow(Services services, SnippetFile& file, const MessageBoxes& messages, std::string caption,
                  OptionsLinks links);

    // The snippet file's path; the first call makes the dialog.
    void showPath(const std::string& path);
    // The options record into the option buttons and the cascade box, as
    // every load of the snippet file does.
    void showOptions();
    void showBorderColour(Colour colour);
    // Modeless or modal; a dialog already open comes to the front.
    void show(bool modal);
    void unload();

    bool created() const { return created_; }

    // "Betreffenden Ordner öffnen ...": the file manager with the file
    // selected. The path is quoted, as a comma in it would end the argument.
    static std::string openFolderCommandLine(const std::string& path);

    OptionsForm form;

private:
    void create();
    void wireEvents();
    // Border activation on (v != 0) shows the edge bars, the colour button
    // and sample and enables the click modes; off, the red circle marks the
    // notification area instead.
    void showHideBorderStuff(int v);
    // The manner of abbreviations counts only while they are on.
    void showAbbreviationBoxes();
    void chooseColour();
    void confirm();
    void hide();

    ui::UiBackend& ui_;
    Dialogs& dialogs_;
    Programs& programs_;
    SnippetFile& file_;
    std::string caption_;
    OptionsLinks links_;
    Autostart autostart_;
    bool created_ = false;
    // The colour chooser starts from the colour chosen in it last.
    Colour chooserColour_ = 0x000000;
};

}  // namespace scrivlet
