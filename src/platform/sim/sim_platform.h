#pragma once
#include <filesystem>

#include "platform/platform.h"
#include "platform/sim/sim_clipboard.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_dialogs.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_hotkeys.h"
#include "platform/sim/sim_keyboard_watch.h"
#include "platform/sim/sim_notification_area.h"
#include "platform/sim/sim_profile.h"
#include "platform/sim/sim_programs.h"
#include "platform/sim/sim_random.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_single_instance.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/sim_ui.h"
#include "platform/sim/sim_windows.h"

namespace scrivlet {

// The simulated desktop: every service of the platform table, in memory or on
// a host folder, for tests and benchmarks.
class SimPlatform {
public:
    explicit SimPlatform(std::filesystem::path hostRoot)
        : files(std::move(hostRoot)), profile(files) {
        ui.windows = &windows;
    }

    Platform table() {
        return {profile, registry, files, system, clock, random, dialogs, ui, clipboard, windows, windows, tray, programs,
                hotkeys, keyboard};
    }

    SimFileSystem files;
    SimProfile profile;
    SimRegistry registry;
    SimSystem system;
    SimClock clock;
    SimRandom random;
    SimDialogs dialogs;
    SimUi ui;
    SimClipboard clipboard;
    SimWindowSystem windows{clipboard};
    SimNotificationArea tray;
    SimPrograms programs{files};
    SimHotkeys hotkeys;
    SimKeyboardWatch keyboard{windows};
    // The user's session, which later starts of the program share; this
    // copy, the first, holds its name.
    SimSession session;
    SimSingleInstance single{session, ui};
};

}  // namespace scrivlet
