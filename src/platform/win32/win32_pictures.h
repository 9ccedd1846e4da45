#pragma once
#include "platform/ui/form.h"
#include "platform/win32/unique_handle.h"

namespace scrivlet {

// The program's own images, drawn with GDI rather than loaded from files: the
// application icon, the pictures of the picture buttons and the monitor of the
// options dialog, as icons with an alpha channel of the given size in pixels
// (the picture stretched to it). A greyed picture is the same image faded for
// a disabled control.
UniqueHicon drawPicture(ui::Picture picture, int width, int height, bool greyed = false);
inline UniqueHicon drawPicture(ui::Picture picture, int size, bool greyed = false) {
    return drawPicture(picture, size, size, greyed);
}

// The picture's design size: its width and height in units of its grid.
SIZE pictureGrid(ui::Picture picture);

}  // namespace scrivlet
