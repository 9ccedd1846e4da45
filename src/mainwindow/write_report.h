#pragma once
#include <string>

#include "store/message_boxes.h"
#include "store/snippet_file.h"
#include "store/write_result.h"

namespace scrivlet {

// Tells the user when a change did not reach the snippet file, and why, and
// (once for each) when a daily backup of it could not be made; nothing when
// all went well.
void reportWrite(const MessageBoxes& messages, SnippetFile& file, WriteResult result);
// Only the backup, for writes whose own failure is told otherwise.
void reportBackupFailure(const MessageBoxes& messages, SnippetFile& file);

}  // namespace scrivlet
