#pragma once
#include <string>

#include "platform/win32/win32_window.h"

namespace scrivlet {

class Win32Ui;

// The simple prompt dialog, built in code: the prompt, a text field with the
// preset selected, OK (the default) and Abbrechen (answering Esc and the
// close box). The caller runs the modal loop until done().
class Win32InputBox : public Window {
public:
    static constexpr const wchar_t* ClassName = L"ScrivletInputBox";

    Win32InputBox(Win32Ui& ui, const std::string& caption, const std::string& prompt, const std::string& preset,
                  HWND owner);
    ~Win32InputBox() override;

    void show();
    bool done() const { return done_ || !hwnd(); }
    // OK gives the text, anything else "".
    const std::string& answer() const { return answer_; }

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND addControl(const wchar_t* className, const std::string& text, DWORD style, DWORD extended, int id);
    // Places the controls and gives them the font for a resolution.
    void layOut(int dpi);
    void finish(bool accepted);

    Win32Ui& ui_;
    HWND edit_ = nullptr;
    int dpi_ = 96;
    bool done_ = false;
    std::string answer_;
};

}  // namespace scrivlet
