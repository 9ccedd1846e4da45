#pragma once
#include <functional>
#include <string>
#include <vector>

#include "mainwindow/main_form.h"
#include "store/message_boxes.h"
#include "store/snippet_file.h"

namespace scrivlet {

// The main window's "Kürzel" field: the abbreviation of the entry shown,
// stored when the user leaves the field (as the title is), and the note
// below the editor on abbreviations that cannot work as the file has them.
class AbbreviationField {
public:
    AbbreviationField(MainForm& form, SnippetFile& file, const MessageBoxes& messages,
                      std::function<void(WriteResult)> reportWrite)
        : form_(form), file_(file), messages_(messages), reportWrite_(std::move(reportWrite)) {}

    // Shows what the file holds for the entry (0: none) of that name; the
    // field takes input only when usable.
    void show(std::int16_t entry, const std::string& name, bool usable);
    // The user left the field: its text becomes the entry's abbreviation, or
    // is refused and the one before shown again.
    void left();

    // The text of the note: what the file's abbreviations need said for this
    // entry, or else those whose name no entry has.
    std::string note() const;

private:
    // The entry of that name the abbreviation is meant for lies before this one.
    bool laterOfSameName() const;
    void refuse(const Message& message, const std::vector<std::string>& values = {});

    MainForm& form_;
    SnippetFile& file_;
    const MessageBoxes& messages_;
    std::function<void(WriteResult)> reportWrite_;
    std::int16_t entry_ = 0;
    std::string name_;
    // What the field showed, for telling a change and for going back to.
    std::string shown_;
};

}  // namespace scrivlet
