#pragma once

#include <cassert>
#include <deque>
#include <vector>

#include "model/random_source.h"

namespace nitka::testing {

// Hands out scripted numbers first, then falls back to a fixed, simple sequence,
// and remembers every n it was asked for.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<int> script = {})
        : m_script(script.begin(), script.end()) {}

    int Random(int n) override {
        requests.push_back(n);
        if (!m_script.empty()) {
            const int value = m_script.front();
            m_script.pop_front();
            assert(value >= 0 && value < n);
            return value;
        }
        m_state = m_state * 1103515245u + 12345u;
        return static_cast<int>((m_state >> 16) % static_cast<unsigned>(n));
    }

    std::vector<int> requests;

private:
    std::deque<int> m_script;
    unsigned m_state = 1;
};

}  // namespace nitka::testing
