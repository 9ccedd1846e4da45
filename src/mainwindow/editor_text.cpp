#include "mainwindow/editor_text.h"

#include <vector>

#include "platform/unicode.h"
#include "transmit/key_notation.h"

namespace scrivlet {

namespace {

const ui::CharFormat EnterFormat{EnterMarkerColour, MarkerFont};
const ui::CharFormat TabFormat{TabMarkerColour, MarkerFont};
const ui::CharFormat PlainFormat{TextColour, TextFont};

void insertMarker(ui::RichEdit& editor, std::string_view marker) {
    const ui::CharFormat& format = marker == EnterMarker ? EnterFormat : TabFormat;
    editor.setSelLength(0);
    editor.setSelColour(format.colour);
    editor.setSelFont(format.font);
    editor.setSelText(std::string(marker) + "\r\n");
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
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = 0;
        const char32_t c = decodeUtf8(text, i, &n);
        const std::string piece = text.substr(i, n);
        i += n;
        if (c == EnterMarkerCode || c == TabMarkerCode) {
            previous = c == EnterMarkerCode ? EnterFormat : TabFormat;
            append(piece + "\r\n", previous);
        } else if (c >= 32) {
            previous = PlainFormat;
            append(piece, previous);
        } else {
            append(piece, previous);
        }
    }
    editor.setRuns(runs);
    editor.setSelStart(caret);
}

void skipMarkerBreak(ui::RichEdit& editor) {
    const std::string_view text = editor.text();
    const auto p = static_cast<std::size_t>(editor.selStart());
    for (std::string_view marker : {EnterMarker, TabMarker})
        if (p >= marker.size() && text.substr(p - marker.size(), marker.size()) == marker) {
            editor.setSelStart(static_cast<int>(p + 2));
            return;
        }
}

void attachMarkerKeys(ui::RichEdit& editor) {
    editor.onKeyDown = [&editor](ui::KeyEvent& e) {
        if (e.keyCode != 9 && e.keyCode != 13) return;
        skipMarkerBreak(editor);
        e.consumed = true;
        insertMarker(editor, e.keyCode == 13 ? EnterMarker : TabMarker);
    };
    editor.onKeyPress = [&editor](char32_t) {
        skipMarkerBreak(editor);
        editor.setSelFont(TextFont);
        editor.setSelColour(TextColour);
    };
}

}  // namespace scrivlet
