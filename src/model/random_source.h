#pragma once

namespace nitka {

// Where the generator draws its random numbers from. The program seeds one
// source at start-up; tests script the draws.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A whole number from 0 to n - 1, each equally likely. Requires: n >= 1.
    virtual int Random(int n) = 0;
};

}  // namespace nitka
