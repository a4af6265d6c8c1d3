#pragma once

#include <stdexcept>

namespace nitka {

// A layout or mask that cannot be used, with a message the user can act on
// ("line 3: ...", "not a PNG", "no cells").
class ShapeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace nitka
