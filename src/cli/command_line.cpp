#include "cli/command_line.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <functional>
#include <string_view>
#include <utility>

#include "tool/tool_error.h"

#ifndef NITKA_VERSION
#error "NITKA_VERSION must name the project's version"
#endif

namespace nitka {
namespace {

// The command whose options were being read, for naming it in a message.
std::string activeCommand(const CLI::App& app) {
    const auto chosen = app.get_subcommands();
    return chosen.empty() ? std::string() : chosen.front()->get_name();
}

// What the option or argument at fault is called in a parser's message: its
// text up to the first ": " (or " = " behind "Could not convert: ").
std::string nameIn(const std::string& message) {
    constexpr std::string_view kConversion = "Could not convert: ";
    if (message.starts_with(kConversion)) {
        const std::string rest = message.substr(kConversion.size());
        return rest.substr(0, rest.find(" = "));
    }
    return message.substr(0, message.find(": "));
}

// The first argument a parser's message says it did not expect.
std::string firstExtra(const std::string& message) {
    const std::string rest = message.substr(message.find(": ") + 2);
    return rest.substr(0, rest.find(' '));
}

// A parser's refusal told in the tool's words, about the option or argument
// at fault: the parser's own texts are for its developers.
UsageError toldUsage(const CLI::ParseError& error, const std::string& command) {
    const std::string message = error.what();
    const std::string help = command.empty() ? "nitka-maze help" : "nitka-maze help " + command;
    if (dynamic_cast<const CLI::ExtrasError*>(&error)) {
        return UsageError(firstExtra(message), "is not an option or file " +
                                                   (command.empty() ? "nitka-maze" : command) +
                                                   " takes; see " + help);
    }
    if (dynamic_cast<const CLI::ConversionError*>(&error)) {
        return UsageError(nameIn(message), "is a flag and takes no value");
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) {
        const bool tooMany = message.find("At Most") != std::string::npos;
        return UsageError(nameIn(message), tooMany ? "is given more than once" : "needs a value");
    }
    if (dynamic_cast<const CLI::RequiredError*>(&error) && command.empty()) {
        return UsageError("",
                          "give a command: generate, solve, render, info, animate, book or "
                          "help");
    }
    return UsageError(command, "cannot be read as written; see " + help);
}

}  // namespace

Invocation parseCommandLine(std::span<const char* const> argv) {
    CLI::App app("Make, solve, draw and measure mazes in the maze file format.", "nitka-maze");
    app.set_version_flag("--version", "nitka-maze " NITKA_VERSION);
    app.require_subcommand(1);
    app.get_formatter()->column_width(26);
    app.footer(
        "Run \"nitka-maze help COMMAND\" or \"nitka-maze COMMAND --help\" for a command's\n"
        "options. A command that reads a maze reads FILE, else standard input unless it\n"
        "is a terminal, else labird.txt. Exit status: 0 done, 1 failed, 2 a wrong command\n"
        "line.\n"
        "\n"
        "Examples:\n"
        "  nitka-maze generate -W 30 -H 20 --seed 1 -o labird.txt\n"
        "  nitka-maze solve labird.txt\n"
        "  nitka-maze generate | nitka-maze render -o maze.png --route");

    GenerateRequest generate;
    SolveRequest solve;
    RenderRequest render;
    InfoRequest info;
    AnimateRequest animate;
    BookRequest book;
    BatchRequest dataset;
    // Each command, and the request its options fill in as they are parsed.
    const std::pair<const CLI::App*, std::function<Invocation()>> requests[] = {
        {addGenerateCommand(app, generate), [&] { return Invocation(generate); }},
        {addSolveCommand(app, solve), [&] { return Invocation(solve); }},
        {addRenderCommand(app, render), [&] { return Invocation(render); }},
        {addInfoCommand(app, info), [&] { return Invocation(info); }},
        {addAnimateCommand(app, animate), [&] { return Invocation(animate); }},
        {addBookCommand(app, book), [&] { return Invocation(book); }},
        {addDatasetCommand(app, dataset), [&] { return Invocation(dataset); }},
    };

    const auto commands = app.get_subcommands({});
    const auto named = [&](std::string_view name) -> CLI::App* {
        const auto found =
            std::find_if(commands.begin(), commands.end(),
                         [&](const CLI::App* command) { return command->get_name() == name; });
        return found == commands.end() ? nullptr : *found;
    };
    const char* const kNoSuchCommand =
        "no such command; the commands are generate, solve, render, info, animate, book and "
        "help";
    if (argv.size() > 1 && std::string_view(argv[1]) == "help") {
        if (argv.size() == 2) {
            return ShowText{app.help()};
        }
        if (argv.size() > 3) {
            throw UsageError("help", "asks about one command at a time");
        }
        if (const CLI::App* command = named(argv[2])) {
            return ShowText{command->help(app.get_name())};
        }
        throw UsageError(argv[2], kNoSuchCommand);
    }
    if (argv.size() > 1 && std::string_view(argv[1]).starts_with('-') &&
        std::string_view(argv[1]) != "--version" && std::string_view(argv[1]) != "--help" &&
        std::string_view(argv[1]) != "-h") {
        throw UsageError(argv[1],
                         "is not an option of nitka-maze itself; give a command first: "
                         "generate, solve, render, info, animate, book or help");
    }
    // CLI11 would only say that a command is required.
    if (argv.size() > 1 && !std::string_view(argv[1]).starts_with('-') && !named(argv[1])) {
        throw UsageError(argv[1], kNoSuchCommand);
    }

    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::CallForHelp&) {
        return ShowText{app.help()};
    } catch (const CLI::CallForVersion& version) {
        return ShowText{std::string(version.what()) + '\n'};
    } catch (const CLI::ParseError& error) {
        throw toldUsage(error, activeCommand(app));
    }

    for (const auto& [command, request] : requests) {
        if (command->parsed()) {
            return request();
        }
    }
    throw UsageError("", "no command given");
}

}  // namespace nitka
