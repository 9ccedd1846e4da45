#pragma once
#include <gtest/gtest.h>

#include <string>

#include "mainwindow/main_window.h"
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
        program = std::make_unique<Program>(sim.table());
        program->start();
    }
    MainForm& form() { return program->mainWindow->form; }
    MainWindow& window() { return *program->mainWindow; }
    std::string stored(const std::string& section, int n) {
        return sim.profile.readString(section, std::to_string(n), "<none>", StandardFile, 32767);
    }
    // The names in the order the entry list shows them.
    std::vector<std::string> listed() {
        std::vector<std::string> names;
        for (const auto& item : form().lbEntryList.items()) names.push_back(item.text);
        return names;
    }
    const std::vector<MessageRequest>& messages() { return sim.dialogs.shown; }
    // The user opens a menu of the menu bar and chooses item n (from 1).
    void choose(ui::Menu& menu, int n) {
        menu.open();
        menu.item(static_cast<std::size_t>(n - 1)).click();
    }

    std::unique_ptr<Program> program;
};

// A snippet file with entries named as given, numbered 1, 2, ..., plain texts.
std::string snippetFile(std::initializer_list<std::pair<const char*, const char*>> entries);

}  // namespace scrivlet::test
