#pragma once
#include <string>

#include "platform/message_boxes.h"
#include "store/write_result.h"

namespace scrivlet {

// Tells the user when a change did not reach the snippet file at path, and
// why; nothing when it did.
void reportWrite(const MessageBoxes& messages, const std::string& path, WriteResult result);

}  // namespace scrivlet
