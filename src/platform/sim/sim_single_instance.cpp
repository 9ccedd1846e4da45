#include "platform/sim/sim_single_instance.h"

#include "platform/sim/sim_ui.h"

namespace scrivlet {

SimSingleInstance::SimSingleInstance(SimSession& session, SimUi& ui)
    : session_(session), ui_(ui), first_(!session.held) {
    session_.held = true;
}

SingleInstance::Reach SimSingleInstance::showRunningCopy() {
    ui::Form* main = nullptr;
    for (ui::Form* form : ui_.realized)
        if (!form->unloaded() && form->windowClass() == MainWindowClass) main = form;
    if (!main) {
        // Still starting, or its window is gone while its process ends.
        if (session_.held) return Reach::NoAnswer;
        first_ = true;
        session_.held = true;
        return Reach::NowFirst;
    }
    switch (session_.answer) {
        case SimSession::Answer::AsAdministrator: return Reach::Blocked;
        case SimSession::Answer::Hangs: return Reach::NoAnswer;
        case SimSession::Answer::Shows: break;
    }
    return main->reportShowRequest() ? Reach::Shown : Reach::NoAnswer;
}

}  // namespace scrivlet
