#include "platform/sim/sim_dialogs.h"

namespace scrivlet {

void SimDialogs::meanwhile() {
    if (meanwhile_.empty()) return;
    const std::function<void()> action = std::move(meanwhile_.front());
    meanwhile_.pop_front();
    action();
}

MessageAnswer SimDialogs::message(const MessageRequest& request) {
    shown.push_back(request);
    meanwhile();
    if (!answers_.empty()) {
        const MessageAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    if (request.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return request.defaultNo ? MessageAnswer::No : MessageAnswer::Yes;
}

std::string SimDialogs::inputBox(const std::string& caption, const std::string& prompt,
                                 const std::string& preset) {
    inputBoxes.push_back({caption, prompt, preset});
    meanwhile();
    if (inputs_.empty()) return "";
    std::string answer = std::move(inputs_.front());
    inputs_.pop_front();
    return answer;
}

std::string SimDialogs::chooseFolder(WindowId owner, const std::string& prompt) {
    folderPrompts.push_back(prompt);
    folderOwners.push_back(owner);
    meanwhile();
    if (folders_.empty()) return "";
    std::string folder = folders_.front();
    folders_.pop_front();
    return folder;
}

std::optional<Colour> SimDialogs::chooseColour(WindowId owner, Colour start) {
    colourStarts.push_back(start);
    colourOwners.push_back(owner);
    meanwhile();
    if (colours_.empty()) return std::nullopt;
    const std::optional<Colour> colour = colours_.front();
    colours_.pop_front();
    return colour;
}

}  // namespace scrivlet
