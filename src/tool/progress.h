#pragma once

#include <chrono>
#include <condition_variable>
#include <initializer_list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace nitka {

// One line on standard error that tells a user at a terminal how far a long
// command has come ("nitka-maze: generate: 37%"), cleared when it ends. The
// work is split into stages, each with the time it is expected to take; the
// percentage grows with the time spent in the current stage, up to what that
// stage is worth, so the work itself is never slowed to report on itself.
// Shown only when asked to (standard error a terminal, no --quiet) and when
// the whole is expected to take about a second or more; never on a pipe or a
// file.
class Progress {
public:
    // Seconds each stage is expected to take, in order; the first starts now.
    Progress(std::string command, bool wanted, std::initializer_list<double> stageSeconds);
    Progress(std::string command, bool wanted, std::vector<double> stageSeconds);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // The current stage is done; the next one starts.
    void nextStage();

    // Whether standard error is a terminal, where a progress line may go.
    static bool terminalAttached();

    // Below this, no line is shown at all.
    static constexpr double kWorthShowing = 1.0;

private:
    int percent();
    void show();

    using Clock = std::chrono::steady_clock;

    const std::string m_command;
    const std::vector<double> m_stages;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::size_t m_stage = 0;
    Clock::time_point m_stageStart = Clock::now();
    bool m_done = false;
    std::thread m_painter;
};

}  // namespace nitka
