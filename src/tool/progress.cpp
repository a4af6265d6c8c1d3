#include "tool/progress.h"

#include <unistd.h>

#include <algorithm>
#include <numeric>

#include "storage/signal_hold.h"

namespace nitka {
namespace {

constexpr auto kRepaint = std::chrono::milliseconds(200);
// A stage running over its estimate stays just short of its end.
constexpr double kMostOfAStage = 0.95;

void writeError(const std::string& text) {
    // Best effort: a terminal that cannot be written loses only the display.
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, text.data(), text.size());
}

}  // namespace

Progress::Progress(std::string command, bool wanted, std::initializer_list<double> stageSeconds)
    : Progress(std::move(command), wanted, std::vector<double>(stageSeconds)) {}

Progress::Progress(std::string command, bool wanted, std::vector<double> stageSeconds)
    : m_command(std::move(command)), m_stages(std::move(stageSeconds)) {
    const double total = std::accumulate(m_stages.begin(), m_stages.end(), 0.0);
    if (wanted && total >= kWorthShowing) {
        // The painter inherits the signals held here, for good: a signal that
        // ends the tool must reach the thread doing the work, where a
        // SignalHold can keep it back from a file's last steps.
        const SignalHold hold;
        m_painter = std::thread([this] { show(); });
    }
}

Progress::~Progress() {
    {
        const std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_wake.notify_one();
    if (m_painter.joinable()) {
        m_painter.join();
        // Back to the start of the line, and the line cleared.
        writeError("\r\x1b[K");
    }
}

void Progress::nextStage() {
    const std::lock_guard lock(m_mutex);
    m_stage = std::min(m_stage + 1, m_stages.size());
    m_stageStart = Clock::now();
}

bool Progress::terminalAttached() {
    return ::isatty(STDERR_FILENO) == 1;
}

// Requires: m_mutex held.
int Progress::percent() {
    const double total = std::accumulate(m_stages.begin(), m_stages.end(), 0.0);
    double done = std::accumulate(m_stages.begin(),
                                  m_stages.begin() + static_cast<std::ptrdiff_t>(m_stage), 0.0);
    if (m_stage < m_stages.size()) {
        const double spent = std::chrono::duration<double>(Clock::now() - m_stageStart).count();
        done += std::min(spent, kMostOfAStage * m_stages[m_stage]);
    }
    return std::clamp(static_cast<int>(100 * done / total), 0, 99);
}

void Progress::show() {
    std::unique_lock lock(m_mutex);
    int shown = -1;
    while (!m_done) {
        if (const int now = percent(); now != shown) {
            shown = now;
            writeError("\rnitka-maze: " + m_command + ": " + std::to_string(now) + "%");
        }
        m_wake.wait_for(lock, kRepaint, [this] { return m_done; });
    }
}

}  // namespace nitka
