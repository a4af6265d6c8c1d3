#pragma once

#include <string>
#include <utility>

namespace nitka {

// Why a request is not carried out, as every front end tells it: the tool as
// one line "nitka-maze: SUBJECT: TEXT" and the exit status, the Python
// package as an exception of the kind the status stands for.
struct Refusal {
    // As the tool's exit status: the request cannot be carried out as
    // written (a usage error), or the work would fail (the machine, a file).
    enum class Kind { Failed = 1, Usage = 2 };
    Kind kind = Kind::Usage;
    // The option, file or command the refusal is about, as the user typed it.
    std::string subject;
    std::string text;
    // The work would need more memory than this process may use: a failure
    // that the Python package raises as MemoryError.
    bool memory = false;
};

inline Refusal usageRefusal(std::string subject, std::string text) {
    return {Refusal::Kind::Usage, std::move(subject), std::move(text)};
}

inline Refusal failedRefusal(std::string subject, std::string text) {
    return {Refusal::Kind::Failed, std::move(subject), std::move(text)};
}

inline Refusal memoryRefusal(std::string subject, std::string text) {
    return {Refusal::Kind::Failed, std::move(subject), std::move(text), true};
}

}  // namespace nitka
