#include "storage/signal_hold.h"

#include <pthread.h>

#include <initializer_list>

namespace nitka {

SignalHold::SignalHold() {
    sigset_t ending;
    sigemptyset(&ending);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        sigaddset(&ending, signal);
    }
    pthread_sigmask(SIG_BLOCK, &ending, &m_previous);
}

SignalHold::~SignalHold() {
    pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
}

}  // namespace nitka
