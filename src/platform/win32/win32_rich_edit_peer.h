#pragma once
#include <string>

#include "platform/ui/rich_edit.h"
#include "platform/win32/win32_control_peer.h"
#include "platform/rtf.h"

#include <optional>

namespace scrivlet {

// The program's editor on a Unicode RichEdit window (2.0 or later). The
// control's positions are bytes of its UTF-8 text with a line break as CR LF,
// the window's UTF-16 units with a paragraph break as one; every position is
// translated on the way in and out. Tab and Enter reach the
// control's key handler before the window sees them.
class Win32RichEditPeer : public Win32ControlPeer {
public:
    Win32RichEditPeer(Win32Ui& ui, ui::RichEdit& edit, HWND parent, int id);
    void command(WORD code) override;
    std::optional<LRESULT> notify(const NMHDR& header) override;
    void syncFromNative() override;
    void refreshForDpi() override;

private:
    int fontDpi() override;
    // RichEdit turns the text's points into pixels at the resolution the
    // program started with: a zoom makes up for a monitor of another scale.
    void zoomToForm();
    void updateOwn(ui::Change change) override;
    std::optional<LRESULT> subclassMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    void showText();
    void showInsert();
    void showSelection();
    void showFormat();
    void showBackColour();
    void applyFormat(int nativeStart, int nativeEnd, const ui::CharFormat& format);

    // What the window holds, in the control's terms.
    FormattedText readContent();
    std::pair<int, int> readSelection(const std::string& text);
    int nativeLength();
    // The user changed the text or moved the caret: the control hears of it.
    void reportContent();
    void reportSelection();

    ui::RichEdit& edit_;
    // The control's text as the window shows it; positions of the control's
    // last edit refer to it.
    std::string shownText_;
    // A consumed Tab or Enter: the character message that follows its key
    // message must not reach the window either.
    bool swallowChar_ = false;
    // The first half (a high surrogate) of a typed character beyond U+FFFF,
    // held until the second arrives, so that the control hears of the whole
    // character before either half reaches the window.
    struct HeldUnit {
        char32_t unit;
        LPARAM lParam;
    };
    std::optional<HeldUnit> heldHigh_;
    // A held first half that no second half follows goes to the window alone;
    // false when the program's handler destroyed the peer meanwhile.
    bool typeHeldUnit(HWND window);
};

}  // namespace scrivlet
