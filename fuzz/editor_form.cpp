// The editor form: a plain text shown in the editor (markers coloured, each
// followed by a line break) and taken back is the same text, as long as it
// holds no marker character of its own; and every character has the format
// its kind asks for.
#include "harness.h"
#include "mainwindow/editor_text.h"
#include "platform/ui/form.h"
#include "transmit/key_notation.h"

using namespace scrivlet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(fuzz::bytesOf(data, size));
    // A literal marker character reads back as Enter or Tab, by design.
    for (char& c : text)
        if (c == EnterMarker || c == TabMarker) c = 'x';
    const std::string form = textToEditorForm(text);
    FUZZ_CHECK(editorFormToText(form) == text);

    SimPlatform& sim = fuzz::Desktop::sim();
    ui::Form window(sim.ui, "frmFuzz", 6000, 4000, {});
    ui::RichEdit editor(&window, "GhostTextTB", {0, 0, 5000, 3000}, ui::CharFormat{TextColour, TextFont});
    window.realize();
    showTextInEditor(editor, form);
    FUZZ_CHECK(editorFormToText(editor.text()) == text);
    const std::string& shown = editor.text();
    FUZZ_CHECK(editor.formats().size() == shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const ui::CharFormat& f = editor.formats()[i];
        if (shown[i] == EnterMarker) FUZZ_CHECK((f == ui::CharFormat{EnterMarkerColour, MarkerFont}));
        else if (shown[i] == TabMarker) FUZZ_CHECK((f == ui::CharFormat{TabMarkerColour, MarkerFont}));
        else if (static_cast<unsigned char>(shown[i]) >= 32) FUZZ_CHECK((f == ui::CharFormat{TextColour, TextFont}));
    }
    return 0;
}
