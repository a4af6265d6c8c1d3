#include "python/python_batch.h"

#include "plan/memory_need.h"
#include "tool/dataset_file.h"
#include "tool/option_values.h"
#include "tool/output_target.h"
#include "tool/planned_input.h"
#include "tool/system_facts.h"
#include "tool/tool_error.h"

namespace nitka::python {
namespace {

BatchRequest requestOf(const BatchArguments& arguments) {
    BatchRequest request;
    request.quiet = true;
    request.count = parseWholeNumber(arguments.count, "--count", 1, kMostBatchMazes);
    request.maze = generateRequestOf(arguments.maze);
    request.maze.seed = request.maze.seed.value_or(0);
    request.difficulty = arguments.difficulty;
    request.unique = arguments.unique;
    if (arguments.threads) {
        request.threads =
            static_cast<int>(parseWholeNumber(*arguments.threads, "--threads", 1, kMostThreads));
    }
    request.given = request.maze.given;
    return request;
}

}  // namespace

PythonBatch PythonBatch::carve(const BatchArguments& arguments, const std::atomic<bool>* stop) {
    const BatchPlan plan = planned(planBatch(requestOf(arguments), systemFacts()));
    return {plan.request, carveBatch(plan, stop)};
}

std::string PythonBatch::options() const {
    return datasetOptions(m_mazes, m_request);
}

void PythonBatch::save(const std::string& path) const {
    if (!namesADataset(path) || path == "-") {
        throw UsageError(path, kDatasetName);
    }
    OutputTarget output(path, datasetBytes(m_mazes, m_request));
    output.write([&](std::streambuf& out) { writeDataset(out, m_mazes, m_request); });
}

}  // namespace nitka::python
