#pragma once
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/random_source.h"
#include "platform/registry.h"
#include "platform/system_info.h"

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
};

}  // namespace scrivlet
