#include "mainwindow/write_report.h"


namespace scrivlet {

namespace {

void reportFailure(const MessageBoxes& messages, const std::string& path, WriteResult result) {
    messages.show(result == WriteResult::LineBreak ? messages::WriteLineBreak
                  : result == WriteResult::TooLong ? messages::WriteTooLong
                                                   : messages::WriteFailed,
                  {path});
}

}  // namespace

void reportBackupFailure(const MessageBoxes& messages, SnippetFile& file) {
    const auto backup = file.takeBackupFailure();
    if (!backup) return;
    messages.show(messages::BackupFailed, {*backup});
}

void reportWrite(const MessageBoxes& messages, SnippetFile& file, WriteResult result) {
    if (result != WriteResult::Ok) reportFailure(messages, file.path(), result);
    reportBackupFailure(messages, file);
}

}  // namespace scrivlet
