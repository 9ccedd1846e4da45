// Times showing an 8,000-character entry with 500 Enter and Tab markers in
// the real rich-text editor, as selecting the entry in the main window does.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/rich_edit.h"
#include "platform/win32/win32_ui.h"
#include "mainwindow/editor_text.h"
#include "transmit/key_notation.h"

int main() {
    using namespace scrivlet;
    Win32Ui ui;
    ui::Form form(ui, "Bench", 9255, 5535, {});
    ui::RichEdit editor(&form, "GhostTextTB", {120, 300, 8000, 5000}, {0, "Arial"});
    attachMarkerKeys(editor);
    form.show();

    std::string plain;
    for (int i = 0; plain.size() < 8000; ++i) plain += i % 16 == 15 ? (i % 32 == 31 ? '\r' : '\t') : static_cast<char>('a' + i % 26);
    int markers = 0;
    for (char c : plain) markers += c == '\r' || c == '\t';
    const std::string editorText = textToEditorForm(plain);

    std::vector<double> runs;
    for (int run = 0; run < 7; ++run) {
        editor.setText("");
        ui.doEvents();
        const auto start = std::chrono::steady_clock::now();
        showTextInEditor(editor, editorText);
        ui.doEvents();  // until the control has taken and laid out the text
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        runs.push_back(took.count());
    }
    std::sort(runs.begin(), runs.end());
    std::printf("ShowTextInEditor/%zu characters, %d markers (RichEdit under Wine): median %.1f ms, best %.1f ms\n",
                plain.size(), markers, runs[runs.size() / 2], runs.front());
    form.unload();
    return 0;
}
