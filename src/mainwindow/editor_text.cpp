#include "mainwindow/editor_text.h"

#include <vector>

#include "transmit/key_notation.h"

namespace scrivlet {

namespace {

const ui::CharFormat EnterFormat{EnterMarkerColour, MarkerFont};
const ui::CharFormat TabFormat{TabMarkerColour, MarkerFont};
const ui::CharFormat PlainFormat{TextColour, TextFont};

void insertMarker(ui::RichEdit& editor, char marker) {
    const ui::CharFormat& format = marker == EnterMarker ? EnterFormat : TabFormat;
    editor.setSelLength(0);
    editor.setSelColour(format.colour);
    editor.setSelFont(format.font);
    editor.setSelText(std::string(1, marker) + "\r\n");
}

}  // namespace

void showTextInEditor(ui::RichEdit& editor, std::string_view editorText) {
    const int caret = editor.selStart();
    const std::string text = replaceAll(editorText, "\r\n", "");
    std::vector<ui::FormatRun> runs;
    // A control character at the very start has no previous character to take
    // its format from; it gets the ordinary one.
    ui::CharFormat previous = PlainFormat;
    auto append = [&runs](const std::string& piece, const ui::CharFormat& format) {
        if (!runs.empty() && runs.back().format == format)
            runs.back().text += piece;
        else
            runs.push_back({piece, format});
    };
    for (char c : text) {
        if (c == EnterMarker || c == TabMarker) {
            previous = c == EnterMarker ? EnterFormat : TabFormat;
            append(std::string(1, c) + "\r\n", previous);
        } else if (static_cast<unsigned char>(c) >= 32) {
            previous = PlainFormat;
            append(std::string(1, c), previous);
        } else {
            append(std::string(1, c), previous);
        }
    }
    editor.setRuns(runs);
    editor.setSelStart(caret);
}

void skipMarkerBreak(ui::RichEdit& editor) {
    const int p = editor.selStart();
    if (p == 0) return;
    const char before = editor.text()[static_cast<std::size_t>(p - 1)];
    if (before == EnterMarker || before == TabMarker) editor.setSelStart(p + 2);
}

void attachMarkerKeys(ui::RichEdit& editor) {
    editor.onKeyDown = [&editor](ui::KeyEvent& e) {
        if (e.keyCode != 9 && e.keyCode != 13) return;
        skipMarkerBreak(editor);
        e.consumed = true;
        insertMarker(editor, e.keyCode == 13 ? EnterMarker : TabMarker);
    };
    editor.onKeyPress = [&editor](char) {
        skipMarkerBreak(editor);
        editor.setSelFont(TextFont);
        editor.setSelColour(TextColour);
    };
}

}  // namespace scrivlet
