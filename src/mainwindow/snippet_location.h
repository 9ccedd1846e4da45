#pragma once
#include <functional>
#include <string>
#include <vector>

#include "store/message_boxes.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/system_info.h"
#include "store/snippet_file.h"
#include "store/snippet_path.h"
#include "store/user_settings.h"

namespace scrivlet {

// Settles on the snippet file with the user: at start the remembered one (or
// the standard file, with a word when the remembered one has gone), on request
// the standard file or one in a folder the user chooses.
class SnippetLocation {
public:
    enum class Mode { Start = 0, Standard = 1, ChooseFolder = 2 };

    // Asks the user through dialogs; finds the program's folder and the files
    // in it through files and system.
    struct Services {
        Dialogs& dialogs;
        FileSystem& files;
        SystemInfo& system;
    };

    // located runs whenever a file has been settled on: show its path, load it.
    SnippetLocation(Services services, SnippetFile& file, UserSettings& settings, std::string appTitle,
                    std::function<void()> located)
        : dialogs_(services.dialogs),
          path_(services.files, services.system, file, settings),
          file_(file),
          messages_(services.dialogs, std::move(appTitle)),
          located_(std::move(located)) {}

    // False when nothing changed (cancelled, declined, or the new file could
    // not be created).
    bool locate(Mode mode, WindowId owner = 0);

    std::string standardPath() { return path_.standardPath(); }

private:
    void useStandardFile();
    bool chooseFolder(WindowId owner);
    void reportRemembered(WriteResult result);
    void inform(const Message& message, const std::vector<std::string>& values = {});

    Dialogs& dialogs_;
    SnippetPath path_;
    SnippetFile& file_;
    MessageBoxes messages_;
    std::function<void()> located_;
};

}  // namespace scrivlet
