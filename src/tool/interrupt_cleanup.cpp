#include "tool/interrupt_cleanup.h"

#include <signal.h>

#include <initializer_list>

#include "storage/pending_files.h"

namespace nitka {
namespace {

extern "C" void removeAndEnd(int signal) {
    removePendingFiles();
    // The signal's own default action, so that the caller sees the tool ended
    // by it, as a shell or a supervisor expects.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(signal, &fallback, nullptr);
    ::raise(signal);
}

}  // namespace

void removeTemporaryFilesOnInterrupt() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current {};
        // A signal the caller chose to ignore (nohup, a background job) stays ignored.
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) {
            continue;
        }
        struct sigaction handler {};
        handler.sa_handler = removeAndEnd;
        sigemptyset(&handler.sa_mask);
        ::sigaction(signal, &handler, nullptr);
    }
}

}  // namespace nitka
