#include "tool/tool_error.h"

#include <algorithm>
#include <cstring>

#include "storage/maze_reader.h"

namespace nitka {
namespace {

std::string oneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

}  // namespace

std::string errorLine(const std::string& what, const std::string& why) {
    std::string line = "nitka-maze: ";
    if (!what.empty()) {
        line += oneLine(what) + ": ";
    }
    return line + oneLine(why) + '\n';
}

std::string fileErrorText(const FileError& error) {
    if (const auto* kind = dynamic_cast<const NotRegularFileError*>(&error)) {
        return kind->isFolder() ? "is a folder" : "not a regular file";
    }
    if (const auto* number = dynamic_cast<const InvalidNumberError*>(&error)) {
        std::string token;
        for (const char c : number->token()) {
            token += c >= ' ' && c <= '~' ? c : '?';
        }
        return "line " + std::to_string(number->line()) + ": \"" + token + "\" is not a number";
    }
    const std::string message = error.what();
    if (message != "I/O error " + std::to_string(error.code())) {
        return message;
    }
    // strerror is only called from the one thread there is.
    return message + " (" + std::strerror(error.code()) + ")";
}

std::string inputName(const std::string& name) {
    return name == "-" ? "standard input" : name;
}

std::string outputName(const std::string& name) {
    return name == "-" ? "standard output" : name;
}

}  // namespace nitka
