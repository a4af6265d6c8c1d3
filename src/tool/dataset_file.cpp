#include "tool/dataset_file.h"

#include <bit>
#include <charconv>
#include <span>
#include <vector>

#include "storage/npz_writer.h"

namespace nitka {
namespace {

static_assert(std::endian::native == std::endian::little,
              "the arrays are written as memory holds them, and NumPy's are little-endian");

template <typename Value>
NpyArray arrayOf(std::string name, char kind, const std::vector<Value>& values,
                 std::vector<std::int64_t> shape) {
    return {std::move(name), kind, static_cast<int>(sizeof(Value)), std::move(shape),
            std::as_bytes(std::span(values))};
}

// A score as the shortest text that reads back as the same double.
std::string scoreText(double score) {
    std::array<char, 32> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), score);
    return {text.data(), written.ptr};
}

// The archive's arrays; they borrow the batch's memory and options' text.
std::vector<NpyArray> datasetArrays(const MazeBatch& batch, const NpyText& options) {
    const std::int64_t n = batch.count;
    std::vector<NpyArray> arrays;
    arrays.push_back(arrayOf("seeds", 'u', batch.seeds, {n}));
    if (batch.pictureRows > 0) {
        arrays.push_back(
            arrayOf("grids", 'b', batch.walls, {n, batch.pictureRows, batch.pictureColumns}));
    }
    arrays.push_back(arrayOf("passages", 'i', batch.passages,
                             {static_cast<std::int64_t>(batch.passages.size() / 2), 2}));
    arrays.push_back(arrayOf("passage_offsets", 'i', batch.passageOffsets, {n + 1}));
    arrays.push_back(arrayOf("starts", 'i', batch.starts, {n, 2}));
    arrays.push_back(arrayOf("targets", 'i', batch.targets, {n, 2}));
    arrays.push_back(arrayOf("route_lengths", 'i', batch.routeLengths, {n}));
    arrays.push_back(arrayOf("difficulty", 'f', batch.difficulty, {n}));
    arrays.push_back(options.array());
    return arrays;
}

}  // namespace

std::string datasetOptions(const MazeBatch& batch, const BatchRequest& request) {
    const GenerateRequest& maze = request.maze;
    // A polar maze has rings alone; its width is none of the asker's.
    const std::string width =
        maze.shape == ShapeKind::Polar ? std::string("null") : std::to_string(maze.width);
    std::string json = "{\"count\": " + std::to_string(request.count) + ", \"width\": " + width +
                       ", \"height\": " + std::to_string(maze.height) + ", \"shape\": \"" +
                       std::string(shapeName(maze.shape)) + "\", \"method\": \"" +
                       std::string(carveMethodInfo(maze.carve.method).name) +
                       "\", \"seed\": " + std::to_string(maze.seed.value_or(0)) +
                       ", \"difficulty\": ";
    json += request.difficulty ? "[" + scoreText(request.difficulty->first) + ", " +
                                     scoreText(request.difficulty->second) + "]"
                               : std::string("null");
    json += std::string(", \"unique\": ") + (request.unique ? "true" : "false") +
            ", \"tries\": " + std::to_string(batch.tries) + "}";
    return json;
}

void writeDataset(std::streambuf& out, const MazeBatch& batch, const BatchRequest& request) {
    const NpyText options("options", datasetOptions(batch, request));
    writeNpz(out, datasetArrays(batch, options));
}

std::uint64_t datasetBytes(const MazeBatch& batch, const BatchRequest& request) {
    const NpyText options("options", datasetOptions(batch, request));
    return npzBytes(datasetArrays(batch, options));
}

}  // namespace nitka
