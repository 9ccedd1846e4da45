#include "tracking/debugger_dialog.h"


namespace scrivlet {

namespace {

const char* const Explanation =
    "Beim Klick in das Popup-Menü der Textbausteine, muss sich das Zielfenster ganz oben in der Liste "
    "befinden. Sollte sich hier ein anderer Eintrag finden, so muss er ggf. gesperrt werden. Weitere "
    "Details in der Online-Hilfe.";

}  // namespace

DebuggerForm::DebuggerForm(ui::UiBackend& ui)
    : ui::Form(ui, "DebFrm", 4440, 4410, {ui::BorderStyle::FixedDialog, false, false, false, false}) {
    const std::pair<ui::Control*, int> tabOrder[] = {
        {&titelListe, 0}, {&btnIgnore, 1}, {&btnEdit, 2}, {&btnClose, 3}, {&label1, 4}};
    for (auto [control, index] : tabOrder) control->setTabIndex(index);
}

std::string notepadCommandLine(const std::string& path) { return "notepad \"" + path + "\""; }

Debugger::Debugger(ui::UiBackend& ui, Programs& programs, SnippetFile& file, const MessageBoxes& messages,
                   std::string caption,
                   DebuggerLinks links)
    : ui_(ui), programs_(programs), file_(file), messages_(messages), caption_(std::move(caption)), links_(std::move(links)) {}

Debugger::~Debugger() = default;

DebuggerForm* Debugger::dialog() const { return form_ && !form_->unloaded() ? form_.get() : nullptr; }

DebuggerForm* Debugger::open() {
    if (DebuggerForm* open = dialog()) return open;
    if (ended_) return nullptr;
    // A closed dialog is not touched again: a new one takes its place. (Its
    // handlers never touch it after a message box, the only place where a
    // capture could run while one of them is under way.)
    form_ = std::make_unique<DebuggerForm>(ui_);
    DebuggerForm& f = *form_;
    f.btnIgnore.onClick = [this] { ignoreSelected(); };
    f.btnEdit.onClick = [this] { editSnippetFile(); };
    f.btnClose.onClick = [this] {
        if (form_) form_->unload();
    };
    f.label1.setCaption(Explanation);
    f.realize();
    if (links_.placeBesideMainWindow) links_.placeBesideMainWindow(f);
    f.setCaption(caption_);
    return &f;
}

void Debugger::showTitles(const std::vector<std::string>& titles) {
    DebuggerForm* f = open();
    if (!f) return;
    // In one change: a capture comes with every opening of the menu.
    f->titelListe.setItems(titles);
}

void Debugger::show() {
    if (DebuggerForm* f = open()) f->show();
}

void Debugger::unload() {
    ended_ = true;
    if (form_) form_->unload();
}

void Debugger::ignoreSelected() {
    const ui::ListBox& list = form_->titelListe;
    if (list.listIndex() < 0) {
        messages_.show(messages::NoTitleMarked);
        return;
    }
    // Taken before the question: a capture while it is open refills the list.
    const std::string title = list.text(list.listIndex());
    if (!messages_.ask(messages::IgnoreTitle, {title}))
        return;
    // The list stays as it is; the next capture leaves the window out.
    const WriteResult written = file_.addIgnoreTitle(title);
    if (links_.reportWrite) links_.reportWrite(written);
}

void Debugger::editSnippetFile() {
    const std::string path = file_.path();
    // While the user edits the file by hand, the program's entry numbers may
    // stop matching it: once notepad ends, the file is read again, as after a
    // change of its location.
    const bool started = programs_.start(notepadCommandLine(path), [this, alive = lifetime_.watch()] {
        if (alive.alive() && !ended_ && links_.reloadSnippetFile) links_.reloadSnippetFile();
    });
    if (!started)
        messages_.show(messages::NotepadNotStarted, {path});
}

}  // namespace scrivlet
