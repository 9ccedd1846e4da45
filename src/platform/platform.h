#pragma once
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/hotkey.h"
#include "platform/key_injector.h"
#include "platform/keyboard_watch.h"
#include "platform/notification_area.h"
#include "platform/profile.h"
#include "platform/programs.h"
#include "platform/random_source.h"
#include "platform/registry.h"
#include "platform/system_info.h"
#include "platform/ui/ui_backend.h"
#include "platform/window_system.h"

namespace scrivlet {

// The one table of operating-system services the program's logic is given.
// A back-end (win32 or sim) owns the objects; the logic only borrows them.
struct Platform {
    Profile& profile;
    Registry& registry;
    FileSystem& files;
    SystemInfo& system;
    Clock& clock;
    RandomSource& random;
    Dialogs& dialogs;
    ui::UiBackend& ui;
    Clipboard& clipboard;
    WindowSystem& windows;
    KeyInjector& keys;
    NotificationArea& tray;
    Programs& programs;
    HotkeyService& hotkeys;
    KeyboardWatch& keyboard;
};

}  // namespace scrivlet
