#pragma once
#include <functional>
#include <string>

#include "platform/platform.h"
#include "store/snippet_file.h"
#include "store/user_settings.h"

namespace scrivlet {

// Which file is the snippet file: the one remembered for the user, else
// "Scrivlet.ini" in the program's folder (started from "sample.ini" there), or
// one in a folder the user chooses.
class SnippetLocation {
public:
    enum class Mode { Start = 0, Standard = 1, ChooseFolder = 2 };

    // located runs whenever a file has been settled on: show its path, load it.
    SnippetLocation(Platform& platform, SnippetFile& file, UserSettings& settings,
                    std::string appTitle, std::function<void()> located)
        : platform_(platform),
          file_(file),
          settings_(settings),
          appTitle_(std::move(appTitle)),
          located_(std::move(located)) {}

    // False when nothing changed (cancelled, declined, or the new file could
    // not be created).
    bool locate(Mode mode, WindowId owner = 0);

    std::string standardPath();

private:
    void useStandardFile();
    bool chooseFolder(WindowId owner);
    void rememberPath();
    void inform(MessageIcon icon, const std::string& text,
                const std::vector<std::string>& values = {});

    Platform& platform_;
    SnippetFile& file_;
    UserSettings& settings_;
    std::string appTitle_;
    std::function<void()> located_;
};

}  // namespace scrivlet
