#pragma once
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "mainwindow/main_form.h"
#include "platform/notification_area.h"
#include "store/ini_access.h"
#include "store/snippet_file.h"
#include "app/program.h"
#include "native/sim_desktop.h"

namespace scrivlet::test {

// The program started on the simulated desktop with a given snippet file.
struct MainWindowStory : ::testing::Test, SimDesktop {
    void startWith(const std::string& snippetFileBytes) {
        writeFile(StandardFile, snippetFileBytes);
        start();
    }
    void start() {
        lasting_.clear();
        program = std::make_unique<Program>(sim.table());
        ++starts;
        program->start();
    }
    // A window of the program as the desktop knows it: the realized form of
    // that name, null when there is none.
    template <class F = ui::Form>
    F* shownForm(const std::string& name) {
        for (ui::Form* f : sim.ui.realized)
            if (f->name() == name) return dynamic_cast<F*>(f);
        return nullptr;
    }
    // A window the program keeps for its whole run (main window, options
    // dialog, border strip), also after it was unloaded at the end.
    template <class F = ui::Form>
    F& lastingForm(const std::string& name) {
        ui::Form*& kept = lasting_[name];
        if (ui::Form* now = shownForm(name)) kept = now;
        if (!kept) ADD_FAILURE() << "no window " << name;
        return dynamic_cast<F&>(*kept);
    }
    MainForm& form() { return lastingForm<MainForm>("MainForm"); }
    // A value as the file holds it, its Windows-1252 bytes shown in UTF-8.
    std::string stored(const std::string& section, int n) {
        return cp1252ToUtf8(sim.profile.readString(section, std::to_string(n), "<none>", StandardFile, 32767));
    }
    // An entry as another reader of the file sees it, its text deciphered.
    Entry readEntry(int n, const std::string& path = StandardFile) {
        IniAccess ini(sim.profile);
        SnippetFile file(ini, sim.random);
        file.setPath(path);
        return file.readEntry(static_cast<EntryNumber>(n));
    }
    // The ignore list as another reader of the file sees it.
    std::vector<std::string> ignoreListInFile(const std::string& path = StandardFile) {
        IniAccess ini(sim.profile);
        SnippetFile file(ini, sim.random);
        file.setPath(path);
        (void)file.load();
        return file.ignoreList();
    }
    // The user replaces the editor's text and moves on to another control.
    void editAndLeave(const std::string& text) {
        form().ghostTextTB.setFocus();
        form().ghostTextTB.setText(text);
        form().ghostTextTB.loseFocus();
    }
    // The names in the order the entry list shows them.
    std::vector<std::string> listed() {
        std::vector<std::string> names;
        for (const auto& item : form().lbEntryList.items()) names.push_back(item.text);
        return names;
    }
    const std::vector<MessageRequest>& messages() { return sim.dialogs.shown; }
    // The user opens a menu of the menu bar and chooses one of its items.
    void choose(ui::Menu& menu, ui::MenuItem& item) {
        menu.open();
        item.click();
    }
    // The user clicks the icon in the notification area and chooses the menu
    // item with this caption; true when there was one.
    bool chooseFromIconMenu(const std::string& caption) {
        bool found = false;
        sim.ui.whenMenu([&](ui::Menu& menu) { found = clickItem(menu, caption); });
        sim.tray.iconMessage(NotificationArea::LeftButtonDown);
        return found;
    }
    static bool clickItem(ui::Menu& menu, const std::string& caption) {
        for (const auto& item : menu.items()) {
            if (item->caption() == caption) {
                item->click();
                return true;
            }
            if (item->submenu() && clickItem(*item->submenu(), caption)) return true;
        }
        return false;
    }

    std::unique_ptr<Program> program;
    // How often the program was started in this story.
    int starts = 0;

private:
    std::map<std::string, ui::Form*> lasting_;
};

// A snippet file with entries named as given, numbered 1, 2, ..., plain texts.
std::string snippetFile(std::initializer_list<std::pair<const char*, const char*>> entries);

}  // namespace scrivlet::test
