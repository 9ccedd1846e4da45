#include "transmit/console_paste.h"

namespace scrivlet {

std::string consolePasteKeys(std::string_view windowClass) {
    return windowClass == TerminalWindowClass ? "^v" : "% BE";
}

}  // namespace scrivlet
