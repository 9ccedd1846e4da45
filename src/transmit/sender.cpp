#include "transmit/sender.h"

#include "platform/key_string.h"
#include "platform/text.h"
#include "store/message_text.h"
#include "store/storage_escape.h"
#include "transmit/choice_form.h"
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

void Sender::sendEntry(EntryNumber n) {
    const Sending sending(sending_);
    if (!prepareKeys(n)) return;
    if (targetTitle_.empty())
        sendToLastWindow();
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
        messages_.show(MessageIcon::Error,
                       formatMessageText("Der Eintrag '%1' ist in der Datei '%2' länger, als Scrivlet lesen "
                                         "kann.\\n\\nEr wird daher nicht übertragen.",
                                         {entry.name, file_.path()}));
        return false;
    }
    std::string text = textFromFile(entry.text);
    text = expandFilePlaceholders(text, p.files);
    text = expandClockPlaceholders(std::move(text), p.clock);

    if (entry.dosBox) {
        if (!putOnClipboard(text)) {
            messages_.show(MessageIcon::Error, formatMessageText("Die Zwischenablage wird von einem anderen "
                                                                 "Programm blockiert.\\n\\nDer Text wurde "
                                                                 "daher nicht übertragen."));
            return false;
        }
        pendingKeys_ = "% BE";
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

void Sender::sendToLastWindow() {
    const WindowId target = tracker_.lastTargetWindow;
    if (target == 0) {
        reportNoTarget();
        return;
    }
    deliverToWindow(target);
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
    // A text must never go to whatever window happens to have the focus: it may
    // be deciphered, and the window a chat or a browser.
    bool inFront = p.windows.exists(window) && p.windows.bringToForeground(window);
    if (!inFront && p.windows.exists(window)) inFront = p.windows.bringToForeground(window);
    if (!inFront) {
        reportNoTarget();
        return false;
    }
    p.ui.doEvents();
    return typeInto(window);
}

bool Sender::typeInto(WindowId window, const std::vector<KeyStep>& before, const std::vector<KeyStep>& after) {
    KeyStringError error;
    auto steps = parseKeyString(pendingKeys_, &error);
    if (!steps) {
        messages_.show(MessageIcon::Error, "Der Text enthält eine Tastenfolge, die Scrivlet nicht senden kann "
                                           "(Zeichen " + std::to_string(error.position + 1) + ": " +
                                               error.reason + ").");
        return false;
    }
    steps->insert(steps->begin(), before.begin(), before.end());
    steps->insert(steps->end(), after.begin(), after.end());
    if (services_.keys.type(window, *steps) != TypingResult::Typed) {
        messages_.show(MessageIcon::Warning,
                       formatMessageText("Das Zielfenster hat nicht alle Tastendrücke angenommen.\\n\\n"
                                         "Bitte prüfen Sie, ob der Text vollständig angekommen ist."));
        return false;
    }
    return true;
}

void Sender::reportNoTarget() {
    messages_.show(MessageIcon::Error,
                   "Es wurde kein passendes Zielfenster identifiziert.\rDie Übertragung wird daher abgebrochen.");
}

}  // namespace scrivlet
