#pragma once
#include <string>

namespace scrivlet {

class MainWindow;
class Program;

// Creating, renaming, deleting and editing entries in the main window. Every
// command writes its result to the snippet file before it returns; entry
// numbers stay 1 to N without gaps.
class EntryCommands {
public:
    EntryCommands(Program& program, MainWindow& window) : program_(program), window_(window) {}

    // Brings the selected entry into the editor and the destination controls.
    void showEntry();
    // Saves the editor's text and the cipher flag into the current entry.
    void writeCurrTextData();
    void newEntry();
    void renameEntry();
    void deleteEntry();

private:
    // The position of another item whose name equals this one, letter case
    // ignored; -1 when there is none.
    int sameName(const std::string& name, int skip) const;
    bool confirmDuplicate(const std::string& name);
    void inform(const std::string& text);

    Program& program_;
    MainWindow& window_;
};

}  // namespace scrivlet
