// The editor form: a plain text in any character (unpaired UTF-16 surrogates
// too) shown in the editor (markers coloured, each followed by a line break)
// and taken back is the same text, as long as it holds no marker code point of
// its own; and every character has the format its kind asks for.
#include "harness.h"
#include "mainwindow/editor_text.h"
#include "platform/ui/form.h"
#include "transmit/key_notation.h"

using namespace scrivlet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A literal marker code point reads back as Enter or Tab, by design.
    const std::string text = replaceAll(replaceAll(fuzz::textOf(data, size), EnterMarker, "x"), TabMarker, "x");
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
    for (std::size_t i = 0; i < shown.size();) {
        std::size_t n = 0;
        const char32_t c = decodeUtf8(shown, i, &n);
        const ui::CharFormat& f = editor.formats()[i];
        if (c == EnterMarkerCode) FUZZ_CHECK((f == ui::CharFormat{EnterMarkerColour, MarkerFont}));
        else if (c == TabMarkerCode) FUZZ_CHECK((f == ui::CharFormat{TabMarkerColour, MarkerFont}));
        else if (c >= 32) FUZZ_CHECK((f == ui::CharFormat{TextColour, TextFont}));
        i += n;
    }
    return 0;
}
