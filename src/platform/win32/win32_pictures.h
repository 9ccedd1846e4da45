#pragma once
#include "platform/ui/form.h"
#include "platform/win32/unique_handle.h"

namespace scrivlet {

// The program's own images, drawn with GDI rather than loaded from files: the
// application icon and the pictures of the picture buttons, as icons with an
// alpha channel of the given size in pixels. A greyed picture is the same
// image faded for a disabled button.
UniqueHicon drawPicture(ui::Picture picture, int size, bool greyed = false);

}  // namespace scrivlet
