#pragma once

#include <signal.h>

namespace nitka {

// Holds back the signals that end a program from a terminal or a supervisor
// (SIGINT, SIGTERM, SIGHUP, SIGQUIT) while it exists, for the few steps that
// must complete once started: overwriting a file in place, giving a finished
// file its name. A signal that comes meanwhile is delivered when it ends.
class SignalHold {
public:
    SignalHold();
    ~SignalHold();
    SignalHold(const SignalHold&) = delete;
    SignalHold& operator=(const SignalHold&) = delete;

private:
    sigset_t m_previous;
};

}  // namespace nitka
