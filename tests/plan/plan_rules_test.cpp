#include "plan/plan_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <variant>
#include <vector>

#include "plan/planner.h"

namespace nitka {
namespace {

// A machine with plenty of memory, where "same.txt" is both read and written
// and every mask, drawn here rather than read, is two cells that meet nowhere.
// (A mask read once only, as a stream allows: tests/cli/test_inputs.py.)
SystemFacts roomyFacts() {
    SystemFacts facts;
    facts.memoryAvailable = std::uint64_t{64} << 30;
    facts.sameFile = [](const std::string& output, const std::string& input) {
        return output == input && output == "same.txt";
    };
    facts.readMask = [](const std::string&) {
        CellMask mask(4, 3);
        for (std::uint64_t place = 0; place < mask.places(); ++place) {
            mask.set(place, place == 0 || place == 11);
        }
        return mask;
    };
    return facts;
}

GivenOptions given(std::vector<std::string> names) {
    return GivenOptions{std::move(names)};
}

GenerateRequest maze(int width, int height, ShapeKind shape = ShapeKind::Rect,
                     CarveMethod method = CarveMethod::DepthFirst) {
    GenerateRequest request;
    request.width = width;
    request.height = height;
    request.shape = shape;
    request.carve.method = method;
    request.given = given({"--width", "--height"});
    return request;
}

AnimateRequest animation(GenerateRequest of, std::string output) {
    AnimateRequest request;
    request.maze = std::move(of);
    request.output = std::move(output);
    request.given = request.maze.given;
    return request;
}

BookRequest book(GenerateRequest of) {
    BookRequest request;
    request.maze = std::move(of);
    request.given = request.maze.given;
    request.output = "book.pdf";
    return request;
}

BatchRequest dataset(GenerateRequest of, std::int64_t count) {
    BatchRequest request;
    request.maze = std::move(of);
    request.count = count;
    request.given = request.maze.given;
    request.output = "mazes.npz";
    return request;
}

RenderRequest picture(std::string input, std::string output, std::vector<std::string> options) {
    RenderRequest request;
    request.input = std::move(input);
    request.output = std::move(output);
    request.given = given(std::move(options));
    return request;
}

template <typename Plan>
std::optional<Refusal> refusalOf(const Planned<Plan>& planned) {
    if (const auto* refused = std::get_if<Refusal>(&planned)) {
        return *refused;
    }
    return std::nullopt;
}

struct Row {
    const char* rule;
    std::optional<Refusal> refused;
    Refusal::Kind kind;
    std::string subject;
    std::string text;  // a part of it
};

using Kind = Refusal::Kind;

// One mistake for each rule; the same mistakes through every command, end to
// end, are in tests/cli/test_plan.py.
std::vector<Row> rows(const SystemFacts& facts) {
    const FileMaze big{ShapeKind::Rect, 2000, 2000, nullptr, "big.txt", false};
    const FileMaze empty{ShapeKind::Rect, 0, 5, nullptr, "flat.txt", false};
    const FileMaze hexagons{ShapeKind::Hex, 9, 7, nullptr, "hex.txt", false};
    const FileMaze huge{ShapeKind::Rect, 20'000, 10'000, nullptr, "huge.txt", false};
    SystemFacts terminal = facts;
    terminal.standardOutputIsTerminal = true;
    SystemFacts little = facts;
    little.memoryAvailable = std::uint64_t{1} << 30;
    auto fast = animation(maze(5, 5), "a.gif");
    fast.plan.timing.fps = 60;
    auto titled = book(maze(5, 5));
    titled.title = "Lab\xff";
    auto hard = maze(20'000, 20'000);
    hard.difficulty = "hard";
    auto apart = maze(1, 1);
    apart.mask = "apart.txt";
    apart.given = given({"--mask"});
    auto misnamed = dataset(maze(15, 15), 10);
    misnamed.output = "maze.txt";
    auto backwards = dataset(maze(15, 15), 10);
    backwards.difficulty = std::pair(5.0, 1.0);
    InfoRequest flat;
    flat.input = "flat.txt";
    auto broadPen = picture("m.txt", "m.svg", {"--plotter", "--pen-mm"});
    broadPen.plotter = true;
    broadPen.mm.pen = 2.6;
    auto thickWalls = picture("m.txt", "m.stl", {"--wall-mm"});
    thickWalls.mm.wall = 1.3;
    auto wide = picture("big.txt", "-", {"--plotter"});
    wide.plotter = true;
    wide.mm.cell = 600;
    return {
        {"one-output", refusalOf(planAnimate(animation(maze(5, 5), ""), facts)), Kind::Usage,
         "--output", "--frames FOLDER"},
        {"format-known", refusalOf(planRender(picture("m.txt", "m.gif", {}), facts)), Kind::Usage,
         "m.gif", "cannot tell the picture's format"},
        {"format-known", refusalOf(planBatch(misnamed, facts)), Kind::Usage, "maze.txt",
         "a dataset is a NumPy .npz file; name it FILE.npz"},
        {"not-on-a-terminal", refusalOf(planAnimate(animation(maze(5, 5), "-"), terminal)),
         Kind::Usage, "standard output", "a GIF would garble the terminal"},
        {"options-the-output-uses",
         refusalOf(planRender(picture("m.txt", "m.png", {"--paper"}), facts)), Kind::Usage,
         "--paper", "only a PDF is printed on paper; this output is PNG"},
        {"options-that-go-together", refusalOf(planBook(book(maze(5, 5, ShapeKind::Polar)), facts)),
         Kind::Usage, "--width", "a polar maze has no width"},
        {"ascii-draws-squares",
         refusalOf(planRender(picture("hex.txt", "hex.txt.txt", {}), facts, &hexagons)),
         Kind::Usage, "hex.txt", "ASCII draws only a plain rectangle and this is a hex maze"},
        {"method-fits-the-layout",
         refusalOf(planAnimate(animation(maze(5, 5, ShapeKind::Hex, CarveMethod::Eller), "a.gif"),
                               facts)),
         Kind::Usage, "--algorithm", "eller works on a plain rectangle only; on a hex use"},
        {"frame-rate", refusalOf(planAnimate(fast, facts)), Kind::Usage, "--fps",
         "or name a .webp"},
        {"title-text", refusalOf(planBook(titled, facts)), Kind::Usage, "--title",
         "is not UTF-8 text"},
        {"options-the-output-uses",
         refusalOf(planRender(picture("m.txt", "m.svg", {"--wall-mm"}), facts)), Kind::Usage,
         "--wall-mm", "only an STL solid has walls of a thickness; this output is SVG"},
        {"millimetres-fit", refusalOf(planRender(broadPen, facts)), Kind::Usage, "--pen-mm",
         "a pen of 2.6 mm would fill cells of 5 mm"},
        {"millimetres-fit", refusalOf(planRender(thickWalls, facts)), Kind::Usage, "--wall-mm",
         "give at most a quarter of --cell-mm"},
        {"millimetres-within-reach", refusalOf(planRender(wide, facts, &big)), Kind::Failed,
         "big.txt", "a plotter SVG is at most 1,000,000 mm a side, and this one would be 1200000"},
        {"solid-within-its-count",
         refusalOf(planRender(picture("huge.txt", "huge.stl", {}), facts, &huge)), Kind::Failed,
         "huge.txt",
         "an STL holds at most 4,294,967,295 triangles, and a 20000 x 10000 maze's solid may take "
         "4,800,000,000"},
        {"output-not-an-input", refusalOf(planRender(picture("same.txt", "same.txt", {}), facts)),
         Kind::Usage, "same.txt", "is the same file as the input same.txt"},
        {"sizes-within-caps", refusalOf(planInfo(flat, facts, &empty)), Kind::Failed, "flat.txt",
         "no maze: its width or height is below 1"},
        {"sizes-within-caps", refusalOf(planGenerate(maze(0, 5), facts)), Kind::Usage, "--width",
         "is not a whole number from 1 to 1000000"},
        {"memory", refusalOf(planGenerate(maze(40'000, 40'000), little)), Kind::Failed, "",
         "40000 x 40000 cells need"},
        {"memory", refusalOf(planBatch(dataset(maze(15, 15), 10'000'000), little)), Kind::Failed,
         "", "10,000,000 mazes of 15 x 15 cells need 26.6 GiB"},
        {"dataset-within-its-numbers", refusalOf(planBatch(backwards, facts)), Kind::Usage,
         "--difficulty", "need 0 <= LO <= HI"},
        {"dataset-within-its-numbers",
         refusalOf(planBatch(dataset(maze(50'000, 50'000), 1), facts)), Kind::Usage, "--width",
         "at most 2,147,483,647 cells"},
        {"picture-within-the-format",
         refusalOf(planAnimate(animation(maze(100'000, 10), "a.gif"), facts)), Kind::Usage,
         "--width", "a GIF is at most 65535 pixels a side"},
        {"legible-on-paper", refusalOf(planRender(picture("big.txt", "big.pdf", {}), facts, &big)),
         Kind::Failed, "big.txt", "its cells would be 0.09 mm, less than 0.5 mm"},
        {"difficulty-tries-fit", refusalOf(planGenerate(hard, facts)), Kind::Usage, "--difficulty",
         "takes too long to carve again and again"},
        {"random-walk-finishes",
         refusalOf(
             planGenerate(maze(10'000, 10'000, ShapeKind::Rect, CarveMethod::AldousBroder), facts)),
         Kind::Failed, "", "aldous-broder: a 10000 x 10000 maze takes about"},
        {"walk-finishes-on-the-layout",
         refusalOf(
             planGenerate(maze(10'000, 10'000, ShapeKind::Hex, CarveMethod::AldousBroder), facts)),
         Kind::Failed, "", "aldous-broder"},
        {"layout-in-one-piece", refusalOf(planGenerate(apart, facts)), Kind::Failed, "apart.txt",
         "one holding each of 0,0; 3,2"},
    };
}

TEST(PlanRulesTest, EachRuleRefusesItsMistakeWithItsSubjectAndStatus) {
    std::set<std::string> tried;
    for (const Row& row : rows(roomyFacts())) {
        ASSERT_TRUE(row.refused) << row.rule << ": " << row.text;
        EXPECT_EQ(row.refused->kind, row.kind) << row.rule << ": " << row.refused->text;
        EXPECT_EQ(row.refused->subject, row.subject) << row.rule << ": " << row.refused->text;
        EXPECT_NE(row.refused->text.find(row.text), std::string::npos)
            << row.rule << ": " << row.refused->text;
        tried.insert(row.rule);
    }
    // A rule added to the table comes with its row here.
    for (const PlanRule& rule : planRules()) {
        EXPECT_TRUE(tried.contains(std::string(rule.name))) << rule.name << " has no row";
    }
}

}  // namespace
}  // namespace nitka
