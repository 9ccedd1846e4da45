#pragma once
#include "platform/modal_count.h"
#include "platform/ui/ui_backend.h"

namespace scrivlet::ui {

// The toolkit's window system with its modal forms and pop-up menus counted
// while they are open; everything else goes to the back-end as it is.
class CountedUi final : public UiBackend {
public:
    CountedUi(UiBackend& inner, ModalCount& count) : inner_(inner), count_(count) {}

    void realize(Form& form) override { inner_.realize(form); }
    void destroy(Form& form) override { inner_.destroy(form); }
    WindowId windowOf(const Form& form) override { return inner_.windowOf(form); }
    void show(Form& form) override { inner_.show(form); }
    void hide(Form& form) override { inner_.hide(form); }
    void runModal(Form& form) override {
        const ModalCount::Scope open(count_);
        inner_.runModal(form);
    }
    void focus(Form& form, Control* control) override { inner_.focus(form, control); }
    void popupMenu(Form& owner, Menu& menu) override {
        const ModalCount::Scope open(count_);
        inner_.popupMenu(owner, menu);
    }
    void prepareMenu(Menu& menu) override { inner_.prepareMenu(menu); }
    Rect frameAround(const Form& form) override { return inner_.frameAround(form); }
    ScreenInfo screen() override { return inner_.screen(); }
    int compareText(std::string_view a, std::string_view b) override { return inner_.compareText(a, b); }
    void doEvents() override { inner_.doEvents(); }
    void quit() override { inner_.quit(); }

private:
    UiBackend& inner_;
    ModalCount& count_;
};

}  // namespace scrivlet::ui
