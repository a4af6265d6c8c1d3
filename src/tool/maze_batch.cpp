#include "tool/maze_batch.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <exception>
#include <mutex>
#include <span>
#include <stdexcept>
#include <string>
#include <thread>
#include <unordered_set>
#include <variant>

#include "render/graph_json.h"
#include "solver/measured_maze.h"
#include "tool/difficulty_choice.h"
#include "tool/maze_arrays.h"
#include "tool/maze_making.h"
#include "tool/tool_error.h"

namespace nitka {
namespace {

// What a filter asks of a maze: its score, route, and a fingerprint of its
// passages that two different mazes share with a chance of one in 2^128.
struct Judged {
    double difficulty = 0;
    std::int64_t routeCells = 0;
    std::array<std::uint64_t, 2> print{};
};

std::uint64_t mixed(std::uint64_t value) {
    value ^= value >> 30;
    value *= 0xbf58476d1ce4e5b9ULL;
    value ^= value >> 27;
    value *= 0x94d049bb133111ebULL;
    return value ^ (value >> 31);
}

std::array<std::uint64_t, 2> fingerprint(std::span<const std::int32_t> passages) {
    std::array<std::uint64_t, 2> print{0x6a09e667f3bcc908ULL, 0xbb67ae8584caa73bULL};
    for (const std::int32_t number : passages) {
        const auto value = static_cast<std::uint64_t>(static_cast<std::uint32_t>(number));
        print[0] = mixed(print[0] ^ value);
        print[1] = mixed(print[1] + value * 0x9e3779b97f4a7c15ULL);
    }
    return print;
}

struct PrintHash {
    std::size_t operator()(const std::array<std::uint64_t, 2>& print) const { return print[0]; }
};

// Runs work(i) for every i below count on `threads` threads, in blocks, and
// passes on the first error once all have stopped.
template <typename Work>
void forEachIndex(std::int64_t count, int threads, const std::atomic<bool>* stop, Work work) {
    constexpr std::int64_t kBlock = 64;
    std::atomic<std::int64_t> next{0};
    std::atomic<bool> failed{false};
    std::exception_ptr error;
    std::mutex errorLock;
    const auto run = [&] {
        try {
            for (std::int64_t first = next.fetch_add(kBlock); first < count && !failed;
                 first = next.fetch_add(kBlock)) {
                if (stop && stop->load(std::memory_order_relaxed)) {
                    throw BatchStopped();
                }
                for (std::int64_t i = first; i < std::min(count, first + kBlock); ++i) {
                    work(i);
                }
            }
        } catch (...) {
            const std::lock_guard hold(errorLock);
            if (!error) {
                error = std::current_exception();
            }
            failed = true;
        }
    };
    const auto helpers = std::clamp<std::int64_t>((count + kBlock - 1) / kBlock, 1, threads) - 1;
    std::vector<std::jthread> running;
    running.reserve(static_cast<std::size_t>(helpers));
    for (std::int64_t k = 0; k < helpers; ++k) {
        running.emplace_back(run);
    }
    run();
    running.clear();
    if (error) {
        std::rethrow_exception(error);
    }
}

// Carving and filling one maze's rows of the arrays.
class BatchFiller {
public:
    BatchFiller(const BatchPlan& plan, MazeBatch& batch) : m_plan(plan), m_batch(batch) {}

    // Allocates the arrays for count mazes of passagesEach passages each.
    void allocate(std::int64_t count, std::int64_t passagesEach) {
        const auto n = static_cast<std::size_t>(count);
        m_passagesEach = passagesEach;
        m_batch.count = count;
        m_batch.seeds.resize(n);
        if (m_plan.maze.request.shape == ShapeKind::Rect) {
            m_batch.pictureRows = 2 * std::int64_t{m_plan.maze.request.height} + 1;
            m_batch.pictureColumns = 2 * std::int64_t{m_plan.maze.request.width} + 1;
            m_batch.walls.resize(n * pictureBytes());
        }
        m_batch.passages.resize(n * static_cast<std::size_t>(2 * passagesEach));
        m_batch.passageOffsets.resize(n + 1);
        for (std::size_t i = 0; i <= n; ++i) {
            m_batch.passageOffsets[i] = static_cast<std::int64_t>(i) * passagesEach;
        }
        m_batch.starts.resize(2 * n);
        m_batch.targets.resize(2 * n);
        m_batch.routeLengths.resize(n);
        m_batch.difficulty.resize(n);
    }

    // Carves the maze of seed into row i.
    void fill(std::int64_t i, std::uint64_t seed) {
        const auto row = static_cast<std::size_t>(i);
        AnyMaze maze = carveGenerated(m_plan.maze, seed);
        const std::vector<std::int32_t> passages =
            std::visit([](const auto& held) { return graphList(held, GraphList::Passages); }, maze);
        if (static_cast<std::int64_t>(passages.size()) != 2 * m_passagesEach) {
            throw std::logic_error("a dataset's maze is not perfect");
        }
        std::copy(passages.begin(), passages.end(),
                  m_batch.passages.begin() + static_cast<std::ptrdiff_t>(row * passages.size()));
        if (!m_batch.walls.empty()) {
            drawWallPicture(maze,
                            std::span(m_batch.walls).subspan(row * pictureBytes(), pictureBytes()));
        }
        const Position start = startOf(maze);
        const Position target = targetOf(maze);
        m_batch.starts[2 * row] = static_cast<std::int32_t>(start.x);
        m_batch.starts[2 * row + 1] = static_cast<std::int32_t>(start.y);
        m_batch.targets[2 * row] = static_cast<std::int32_t>(target.x);
        m_batch.targets[2 * row + 1] = static_cast<std::int32_t>(target.y);
        const Judged judged = judge(maze, passages);
        m_batch.seeds[row] = seed;
        m_batch.routeLengths[row] = judged.routeCells;
        m_batch.difficulty[row] = judged.difficulty;
    }

    // What the filters ask of the maze of seed.
    Judged judgeSeed(std::uint64_t seed) const {
        AnyMaze maze = carveGenerated(m_plan.maze, seed);
        std::vector<std::int32_t> passages;
        if (m_plan.request.unique) {
            passages = std::visit(
                [](const auto& held) { return graphList(held, GraphList::Passages); }, maze);
        }
        return judge(maze, passages);
    }

private:
    std::size_t pictureBytes() const {
        return static_cast<std::size_t>(m_batch.pictureRows * m_batch.pictureColumns);
    }

    // A dataset's mazes are perfect: every method carves a spanning tree of
    // a layout in one piece, and fill() checks the passages' count.
    Judged judge(AnyMaze& maze, std::span<const std::int32_t> passages) const {
        const RouteScore score =
            std::visit([](auto& held) { return perfectMazeScore(held); }, maze);
        Judged judged;
        judged.difficulty = score.difficulty.value_or(0);
        judged.routeCells = static_cast<std::int64_t>(score.routeCells);
        if (m_plan.request.unique) {
            judged.print = fingerprint(passages);
        }
        return judged;
    }

    const BatchPlan& m_plan;
    MazeBatch& m_batch;
    std::int64_t m_passagesEach = 0;
};

std::int64_t passagesOfAPerfectMaze(const BatchPlan& plan) {
    const GenerateRequest& request = plan.maze.request;
    const std::uint64_t cells = plan.maze.layout ? plan.maze.layout->cellCount()
                                                 : static_cast<std::uint64_t>(request.width) *
                                                       static_cast<std::uint64_t>(request.height);
    return static_cast<std::int64_t>(cells) - 1;
}

std::string scoresText(const std::pair<double, double>& range) {
    const auto text = [](double score) {
        std::string written = std::to_string(score);
        written.erase(written.find_last_not_of('0') + 1);
        if (written.back() == '.') {
            written.pop_back();
        }
        return written;
    };
    return text(range.first) + " to " + text(range.second);
}

// The seeds, in the order drawn, of the first count mazes that pass the
// filters, and how many were drawn up to the last of them.
std::vector<std::uint64_t> passingSeeds(const BatchPlan& plan, const BatchFiller& filler,
                                        const std::atomic<bool>* stop, std::uint64_t& tries) {
    const BatchRequest& request = plan.request;
    const auto wanted = static_cast<std::uint64_t>(request.count);
    const std::uint64_t mostTries = wanted * kTriesPerMaze + kTriesBeyond;
    const std::uint64_t seed = plan.maze.request.seed.value_or(0);
    std::vector<std::uint64_t> seeds;
    seeds.reserve(wanted);
    std::unordered_set<std::array<std::uint64_t, 2>, PrintHash> seen;
    std::vector<Judged> round;
    std::uint64_t drawn = 0;
    while (seeds.size() < wanted && drawn < mostTries) {
        // Enough for the mazes still missing if about half pass, in rounds
        // small enough that little is carved past the last one needed.
        const std::uint64_t size =
            std::min({std::max<std::uint64_t>(2 * (wanted - seeds.size()), 256),
                      std::uint64_t{1} << 16, mostTries - drawn});
        round.assign(size, Judged{});
        forEachIndex(static_cast<std::int64_t>(size), request.threads, stop, [&](std::int64_t k) {
            round[static_cast<std::size_t>(k)] =
                filler.judgeSeed(derivedSeed(seed, drawn + static_cast<std::uint64_t>(k)));
        });
        for (std::uint64_t k = 0; k < size && seeds.size() < wanted; ++k) {
            const Judged& judged = round[k];
            const bool scored =
                !request.difficulty || (judged.difficulty >= request.difficulty->first &&
                                        judged.difficulty <= request.difficulty->second);
            if (scored && (!request.unique || seen.insert(judged.print).second)) {
                seeds.push_back(derivedSeed(seed, drawn + k));
                tries = drawn + k + 1;
            }
        }
        drawn += size;
    }
    if (seeds.size() < wanted) {
        std::string filters =
            request.difficulty ? "scored " + scoresText(*request.difficulty) : std::string();
        if (request.unique) {
            filters += std::string(filters.empty() ? "" : " and ") + "differed from the others";
        }
        // Blamed on the filter asked; a file's name is never the subject.
        throw ToolError(request.difficulty ? "--difficulty" : "--unique",
                        "only " + std::to_string(seeds.size()) + " of " + std::to_string(drawn) +
                            " mazes tried " + filters + "; ask for fewer, or widen the filters");
    }
    return seeds;
}

}  // namespace

MazeBatch carveBatch(const BatchPlan& plan, const std::atomic<bool>* stop) {
    const BatchRequest& request = plan.request;
    MazeBatch batch;
    BatchFiller filler(plan, batch);
    const std::int64_t passagesEach = passagesOfAPerfectMaze(plan);
    if (!request.difficulty && !request.unique) {
        const std::uint64_t seed = plan.maze.request.seed.value_or(0);
        filler.allocate(request.count, passagesEach);
        forEachIndex(request.count, request.threads, stop, [&](std::int64_t i) {
            filler.fill(i, derivedSeed(seed, static_cast<std::uint64_t>(i)));
        });
        batch.tries = static_cast<std::uint64_t>(request.count);
        return batch;
    }
    std::uint64_t tries = 0;
    const std::vector<std::uint64_t> seeds = passingSeeds(plan, filler, stop, tries);
    filler.allocate(request.count, passagesEach);
    forEachIndex(request.count, request.threads, stop,
                 [&](std::int64_t i) { filler.fill(i, seeds[static_cast<std::size_t>(i)]); });
    batch.tries = tries;
    return batch;
}

}  // namespace nitka
