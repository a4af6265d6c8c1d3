#include "tool/progress.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "storage/signal_hold.h"

namespace nitka {
namespace {

// A signal held back from a file's last steps must wait for them even while
// the progress line's own thread runs: were it delivered there, it would end
// the tool half way through them.
TEST(ProgressDeathTest, TheLineLetsASignalHeldOnTheWorkWait) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        EXPECT_EXIT(
            {
                const Progress progress("test", true, {100.0});
                {
                    const SignalHold hold;
                    ::kill(::getpid(), signal);
                    std::this_thread::sleep_for(std::chrono::milliseconds(200));
                    std::fputs("steps done\n", stderr);
                }
                std::this_thread::sleep_for(std::chrono::seconds(5));
            },
            ::testing::KilledBySignal(signal), "steps done");
    }
}

}  // namespace
}  // namespace nitka
