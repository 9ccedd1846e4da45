#pragma once
#include <string>

#include "platform/ui/rich_edit.h"
#include "platform/win32/win32_control_peer.h"
#include "platform/rtf.h"

namespace scrivlet {

// The program's editor on a RichEdit window (2.0 or later). The control's
// text counts a line break as CR LF, the window's as one character; every
// position is translated on the way in and out. Tab and Enter reach the
// control's key handler before the window sees them.
class Win32RichEditPeer : public Win32ControlPeer {
public:
    Win32RichEditPeer(Win32Ui& ui, ui::RichEdit& edit, HWND parent, int id);
    void command(WORD code) override;
    std::optional<LRESULT> notify(const NMHDR& header) override;
    void syncFromNative() override;

private:
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
};

}  // namespace scrivlet
