#pragma once
#include <windows.h>

#include <string>

#include "platform/single_instance.h"
#include "platform/win32/unique_handle.h"

namespace scrivlet {

// The session's name is a mutex under "Local\", which is per logon session,
// named with the user's SID: another user in the same session (runas) runs a
// copy of their own. The first copy owns it for its run; a later start finds
// the running copy's main window by class (older versions, which have no
// mutex, by the common class, no owner and a menu bar; never by the caption,
// which carries the version) and sends it the show request, or to an older
// version the right button's report of the icon, which shows it.
class Win32SingleInstance : public SingleInstance {
public:
    // Takes the session's name: the earlier the better, so that two starts at
    // once cannot both go on.
    Win32SingleInstance();
    ~Win32SingleInstance() override;
    Win32SingleInstance(const Win32SingleInstance&) = delete;
    Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;

    bool first() const override { return first_; }
    Reach showRunningCopy() override;

    // "Local\Scrivlet-<SID>" (the user name when the SID cannot be read).
    static std::wstring sessionName();
    // The main window of a running copy of any version, not of this process;
    // null when there is none.
    static HWND runningMainWindow();

private:
    Reach ask(HWND window);

    UniqueHandle mutex_;
    bool owned_ = false;
    bool first_ = false;
};

}  // namespace scrivlet
