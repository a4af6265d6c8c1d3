#pragma once

#include <string>

namespace nitka {

// Text of the error box for an error message: a full stop is added when the
// message's last character sorts after "." ("File not found" -> "File not found.").
std::string errorBoxText(std::string message);

}  // namespace nitka
