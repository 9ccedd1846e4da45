#pragma once
#include "platform/platform.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_hotkeys.h"
#include "platform/win32/win32_key_injector.h"
#include "platform/win32/win32_keyboard_watch.h"
#include "platform/win32/win32_notification_area.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_programs.h"
#include "platform/win32/win32_random.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_single_instance.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_window_system.h"

namespace scrivlet {

// The real services of the system, one object each, owned for the program's
// lifetime; the logic borrows them through table().
class Win32Platform {
public:
    Platform table() {
        return {profile, registry, files, system, clock, random, dialogs, ui, clipboard,
                windows, keys, tray, programs, hotkeys, keyboard};
    }

    // First: the session's name is taken before anything else happens.
    Win32SingleInstance session;
    Win32Profile profile;
    Win32Registry registry;
    Win32FileSystem files;
    Win32System system;
    Win32Clock clock;
    Win32Random random;
    Win32Ui ui;
    Win32Dialogs dialogs{ui};
    Win32Clipboard clipboard;
    Win32WindowSystem windows;
    Win32KeyInjector keys;
    Win32NotificationArea tray;
    Win32Programs programs;
    Win32Hotkeys hotkeys;
    Win32KeyboardWatch keyboard;
};

}  // namespace scrivlet
