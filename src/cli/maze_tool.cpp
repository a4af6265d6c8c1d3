#include "cli/maze_tool.h"

#include <exception>
#include <new>
#include <variant>

#include "cli/command_line.h"
#include "tool/standard_streams.h"
#include "tool/tool_error.h"

namespace nitka {
namespace {

void show(const std::string& text) {
    blamingFile(outputName("-"), [&] {
        StandardOutput out;
        out.sputn(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
    });
}

// Runs whichever request the command line made.
struct RequestRunner {
    std::ostream& notices;
    void operator()(const ShowText& request) const { show(request.text); }
    void operator()(const GenerateRequest& request) const { runGenerate(request, notices); }
    void operator()(const SolveRequest& request) const { runSolve(request); }
    void operator()(const RenderRequest& request) const { runRender(request, notices); }
    void operator()(const InfoRequest& request) const { runInfo(request); }
    void operator()(const AnimateRequest& request) const { runAnimate(request, notices); }
    void operator()(const BookRequest& request) const { runBook(request, notices); }
    void operator()(const BatchRequest& request) const { runDataset(request); }
};

}  // namespace

int runMazeTool(std::span<const char* const> argv, std::ostream& err) {
    try {
        std::visit(RequestRunner{err}, parseCommandLine(argv));
        return kStatusDone;
    } catch (const ToolError& error) {
        err << errorLine(error.subject(), error.what()) << std::flush;
        return error.status();
    } catch (const FileError& error) {
        err << errorLine("", fileErrorText(error)) << std::flush;
        return kStatusFailed;
    } catch (const std::bad_alloc&) {
        err << errorLine("", "out of memory") << std::flush;
        return kStatusFailed;
    } catch (const std::exception& error) {
        err << errorLine("", error.what()) << std::flush;
        return kStatusFailed;
    }
}

}  // namespace nitka
