#pragma once
#include "platform/single_instance.h"

namespace scrivlet {

class SimUi;

// The user's session as the copies of the program started in it see it.
struct SimSession {
    // How the running copy takes a request to show itself.
    enum class Answer {
        Shows,
        AsAdministrator,  // it runs elevated: a request from this copy is dropped
        Hangs,            // its thread takes no messages
    };
    // Whether a copy holds the session's name: set by the first copy, cleared
    // when a test lets that copy's process end.
    bool held = false;
    Answer answer = Answer::Shows;
};

// One start of the program in the session: it holds the session's name when
// no copy held it before. The running copy's main window is the realized form
// of the main window's class on the simulated desktop.
class SimSingleInstance : public SingleInstance {
public:
    SimSingleInstance(SimSession& session, SimUi& ui);

    bool first() const override { return first_; }
    Reach showRunningCopy() override;

private:
    SimSession& session_;
    SimUi& ui_;
    bool first_;
};

}  // namespace scrivlet
