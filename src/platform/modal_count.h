#pragma once
#include <optional>
#include <string>

#include "platform/dialogs.h"

namespace scrivlet {

// How many of the program's modal loops are open: message boxes, input boxes,
// choosers, modal forms and pop-up menus. While one runs, the code that opened
// it waits on the stack for the user's answer and acts on what it saw before
// (a row of the list, an entry's number); work that changes that (reading the
// snippet file anew) must wait until none is open.
class ModalCount {
public:
    bool open() const { return depth_ > 0; }

    // Counts one modal loop for its lifetime.
    class Scope {
    public:
        explicit Scope(ModalCount& count) : count_(count) { ++count_.depth_; }
        ~Scope() { --count_.depth_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        ModalCount& count_;
    };

private:
    int depth_ = 0;
};

// The dialogs service with each of its dialogs counted while it is open.
class CountedDialogs final : public Dialogs {
public:
    CountedDialogs(Dialogs& inner, ModalCount& count) : inner_(inner), count_(count) {}

    MessageAnswer message(const MessageRequest& request) override {
        const ModalCount::Scope open(count_);
        return inner_.message(request);
    }
    std::string inputBox(const std::string& caption, const std::string& prompt, const std::string& preset) override {
        const ModalCount::Scope open(count_);
        return inner_.inputBox(caption, prompt, preset);
    }
    std::string chooseFolder(WindowId owner, const std::string& prompt) override {
        const ModalCount::Scope open(count_);
        return inner_.chooseFolder(owner, prompt);
    }
    std::optional<Colour> chooseColour(WindowId owner, Colour start) override {
        const ModalCount::Scope open(count_);
        return inner_.chooseColour(owner, start);
    }

private:
    Dialogs& inner_;
    ModalCount& count_;
};

}  // namespace scrivlet
