#include "transmit/sender.h"

#include "platform/key_string.h"
#include "platform/text.h"
#include "store/storage_escape.h"
#include "transmit/choice_form.h"
#include "transmit/console_paste.h"
#include "transmit/key_notation.h"
#include "transmit/placeholders.h"

namespace scrivlet {

namespace {
// Another program may hold the clipboard for a moment; a second is long
// enough for any of them to let go.
constexpr int ClipboardTries = 21;  // 20 pauses of 50 ms
constexpr int ClipboardPauseMs = 50;

struct Sending {
    bool& flag;
    explicit Sending(bool& f) : flag(f) { flag = true; }
    ~Sending() { flag = false; }
};
}  // namespace

void Sender::sendEntryTo(EntryNumber n, WindowId lastWindow) {
    const Sending sending(sending_);
    if (!prepareKeys(n)) return;
    if (targetTitle_.empty())
        sendToLastWindow(lastWindow);
    else
        sendToTitledWindow();
}

void Sender::sendEntryInto(EntryNumber n, WindowId window, const std::vector<KeyStep>& before,
                           const std::vector<KeyStep>& after) {
    const Sending sending(sending_);
    if (!prepareKeys(n)) return;
    if (services_.windows.foreground() != window) {
        reportNoTarget();
        return;
    }
    typeInto(window, before, after);
}

bool Sender::prepareKeys(EntryNumber n) {
    Services& p = services_;
    if (beforeReading_) beforeReading_();
    const Entry entry = file_.readEntry(n);
    if (entry.cut) {
        // Only part of it could be read: typing that part (or a cipher
        // deciphered from it) would look complete and be wrong.
        messages_.show(messages::EntryCutNotSent, {entry.name, file_.path()});
        return false;
    }
    std::string text = textFromFile(entry.text);
    text = expandFilePlaceholders(text, p.files);
    text = expandClockPlaceholders(std::move(text), p.clock);

    consoleEntry_ = entry.dosBox;
    pendingKeys_.clear();
    if (entry.dosBox) {
        if (!putOnClipboard(text)) {
            messages_.show(messages::ClipboardBlocked);
            return false;
        }
    } else {
        pendingKeys_ = toKeyString(text);
    }
    targetTitle_ = toUpper(trimBlanks(entry.title));
    return true;
}

bool Sender::putOnClipboard(const std::string& text) {
    Clipboard& clipboard = services_.clipboard;
    for (int attempt = 0; attempt < ClipboardTries; ++attempt) {
        if (attempt > 0) services_.clock.sleep(ClipboardPauseMs);
        if (clipboard.clear() && clipboard.setText(text)) return true;
    }
    return false;
}

void Sender::sendToLastWindow(WindowId lastWindow) {
    if (lastWindow == 0) {
        reportNoTarget();
        return;
    }
    deliverToWindow(lastWindow);
}

void Sender::sendToTitledWindow() {
    WindowSystem& windows = services_.windows;
    targetCandidates_.clear();
    for (WindowId h : windows.topLevelWindows()) {
        const std::string title = windowTitle(windows, h);
        if (!title.empty() && toUpper(title).find(targetTitle_) != std::string::npos)
            targetCandidates_.emplace_back(title, h);
    }
    if (targetCandidates_.empty())
        reportNoTarget();
    else if (targetCandidates_.size() == 1)
        deliverToWindow(targetCandidates_.front().second);
    else
        chooseTarget();
}

void Sender::chooseTarget() {
    ChoiceForm choice(services_.ui, choiceCaption_);
    choice.realize();
    if (placeDialog_) placeDialog_(choice);
    for (const auto& [title, window] : targetCandidates_)
        choice.lbZielFenster.addItem(title, static_cast<std::intptr_t>(window));
    choice.lbZielFenster.setListIndex(0);
    choice.setCaption("Auswahl - Scrivlet");
    choice.deliver = [this](WindowId window) { deliverToWindow(window); };
    choice.showModal();
    choice.unload();
}

bool Sender::deliverToWindow(WindowId window) {
    Services& p = services_;
    const std::optional<Typing> typing = readyToType(window);
    if (!typing) return false;
    // A text must never go to whatever window happens to have the focus: it may
    // be deciphered, and the window a chat or a browser.
    bool inFront = p.windows.exists(window) && p.windows.bringToForeground(window);
    if (!inFront && p.windows.exists(window)) inFront = p.windows.bringToForeground(window);
    if (!inFront) {
        reportNoTarget();
        return false;
    }
    p.ui.doEvents();
    return typeSteps(window, *typing);
}

bool Sender::typeInto(WindowId window, const std::vector<KeyStep>& before, const std::vector<KeyStep>& after) {
    std::optional<Typing> typing = readyToType(window);
    if (!typing) return false;
    typing->steps.insert(typing->steps.begin(), before.begin(), before.end());
    typing->steps.insert(typing->steps.end(), after.begin(), after.end());
    return typeSteps(window, *typing);
}

std::optional<Sender::Typing> Sender::readyToType(WindowId window) {
    Services& p = services_;
    KeyStringError error;
    auto parsed =
        parseKeyString(consoleEntry_ ? consolePasteKeys(p.windows.className(window)) : pendingKeys_, &error);
    if (!parsed) {
        messages_.show(messages::KeyStringInvalid, {std::to_string(error.position + 1), error.reason});
        return std::nullopt;
    }
    // The system would drop every key without a word, and the user would wait
    // for a text that never comes.
    const TargetIntegrity integrity = p.windows.integrity(window);
    if (integrity == TargetIntegrity::Higher) {
        reportElevated(window);
        return std::nullopt;
    }
    return Typing{std::move(*parsed), integrity};
}

bool Sender::typeSteps(WindowId window, const Typing& typing) {
    if (services_.keys.type(window, typing.steps) != TypingResult::Typed) {
        // Where the level could not be read, the window may be one run as
        // administrator: the user learns the likely cause and the ways out.
        messages_.show(typing.integrity == TargetIntegrity::Unknown ? messages::KeysNotTakenMaybeElevated
                                                                    : messages::KeysNotTaken);
        return false;
    }
    return true;
}

void Sender::reportElevated(WindowId window) {
    messages_.show(consoleEntry_ ? messages::ConsoleElevated : messages::TargetElevated,
                   {windowTitle(services_.windows, window)});
}

void Sender::reportNoTarget() {
    messages_.show(messages::NoTarget);
}

}  // namespace scrivlet
