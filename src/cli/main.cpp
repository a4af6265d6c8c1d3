#include <csignal>
#include <iostream>
#include <span>

#include "cli/maze_tool.h"
#include "tool/interrupt_cleanup.h"

int main(int argc, char* argv[]) {
    // A reader that stops early (| head) ends the tool quietly, as it ends any
    // filter, even when the caller left SIGPIPE ignored.
    std::signal(SIGPIPE, SIG_DFL);
    // A file-size limit makes a write fail with an error that is reported,
    // instead of killing the tool with a half-written file.
    std::signal(SIGXFSZ, SIG_IGN);
    nitka::removeTemporaryFilesOnInterrupt();
    return nitka::runMazeTool(std::span<const char* const>(argv, static_cast<std::size_t>(argc)),
                              std::cerr);
}
