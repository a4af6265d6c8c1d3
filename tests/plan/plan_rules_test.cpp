#include "plan/plan_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "plan/planner.h"

namespace nitka {
namespace {

// A machine with plenty of memory, where "same.txt" is both read and written
// and masks are drawn here rather than read.
SystemFacts roomyFacts() {
    SystemFacts facts;
    facts.memoryAvailable = std::uint64_t{64} << 30;
    facts.sameFile = [](const std::string& output, const std::string& input) {
        return output == input && output == "same.txt";
    };
    facts.readMask = [](const std::string& name) {
        // Two cells that meet nowhere, or a full 4 x 3.
        CellMask mask(4, 3);
        if (name == "apart.txt") {
            for (std::uint64_t place = 0; place < mask.places(); ++place) {
                mask.set(place, place == 0 || place == 11);
            }
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
    std::function<std::optional<Refusal>(const SystemFacts&)> plan;
    Refusal::Kind kind;
    std::string subject;
    std::string text;  // a part of it
};

using Kind = Refusal::Kind;

std::vector<Row> rows() {
    const FileMaze big{ShapeKind::Rect, 2000, 2000, nullptr, "big.txt", false};
    const FileMaze empty{ShapeKind::Rect, 0, 5, nullptr, "flat.txt", false};
    return {
        {"one-output",
         [](const SystemFacts& facts) {
             auto request = animation(maze(5, 5), "a.gif");
             request.framesFolder = "frames";
             return refusalOf(planAnimate(request, facts));
         },
         Kind::Usage, "--frames", "not both"},
        {"one-output",
         [](const SystemFacts& facts) {
             return refusalOf(planAnimate(animation(maze(5, 5), ""), facts));
         },
         Kind::Usage, "--output", "--frames FOLDER"},
        {"format-known",
         [](const SystemFacts& facts) {
             return refusalOf(planRender(picture("m.txt", "m.gif", {}), facts));
         },
         Kind::Usage, "m.gif", "cannot tell the picture's format"},
        {"format-known",
         [](const SystemFacts& facts) {
             return refusalOf(planAnimate(animation(maze(5, 5), "a.mp4"), facts));
         },
         Kind::Usage, "a.mp4", ".gif or .webp"},
        {"not-on-a-terminal",
         [](SystemFacts facts) {
             facts.standardOutputIsTerminal = true;
             return refusalOf(planAnimate(animation(maze(5, 5), "-"), facts));
         },
         Kind::Usage, "standard output", "a GIF would garble the terminal"},
        {"options-the-output-uses",
         [](const SystemFacts& facts) {
             return refusalOf(planRender(picture("m.txt", "m.png", {"--paper"}), facts));
         },
         Kind::Usage, "--paper", "only a PDF is printed on paper; this output is PNG"},
        {"options-the-output-uses",
         [](const SystemFacts& facts) {
             return refusalOf(planRender(picture("m.txt", "m.txt", {"--cell"}), facts));
         },
         Kind::Usage, "--cell", "this output is ASCII"},
        {"options-the-output-uses",
         [](const SystemFacts& facts) {
             return refusalOf(planRender(picture("m.txt", "m.json", {"--route"}), facts));
         },
         Kind::Usage, "--route", "only a picture shows the route"},
        {"options-that-go-together",
         [](const SystemFacts& facts) {
             return refusalOf(planBook(book(maze(5, 5, ShapeKind::Polar)), facts));
         },
         Kind::Usage, "--width", "a polar maze has no width"},
        {"options-that-go-together",
         [](const SystemFacts& facts) {
             auto request = maze(5, 5);
             request.given = given({"--pick"});
             return refusalOf(planGenerate(request, facts));
         },
         Kind::Usage, "--pick", "only growing-tree has a pick"},
        {"options-that-go-together",
         [](const SystemFacts& facts) {
             auto request = maze(5, 5);
             request.mask = "ring.txt";
             request.given = given({"--mask", "--height"});
             return refusalOf(planGenerate(request, facts));
         },
         Kind::Usage, "--mask", "the mask sets the size"},
        {"options-that-go-together",
         [](const SystemFacts& facts) {
             auto request = animation(maze(5, 5), "a.gif");
             request.solveOnly = "m.txt";
             request.given = given({"--seed"});
             return refusalOf(planAnimate(request, facts));
         },
         Kind::Usage, "--seed", "--solve-only takes its maze from FILE"},
        {"options-that-go-together",
         [](const SystemFacts& facts) {
             auto request = book(maze(5, 5));
             request.difficulty = "rising";
             return refusalOf(planBook(request, facts));
         },
         Kind::Usage, "--difficulty", "rising grows the mazes"},
        {"method-fits-the-layout",
         [](const SystemFacts& facts) {
             return refusalOf(planAnimate(
                 animation(maze(5, 5, ShapeKind::Hex, CarveMethod::Eller), "a.gif"), facts));
         },
         Kind::Usage, "--algorithm", "eller works on a plain rectangle only; on a hex use"},
        {"frame-rate",
         [](const SystemFacts& facts) {
             auto request = animation(maze(5, 5), "a.gif");
             request.plan.timing.fps = 60;
             return refusalOf(planAnimate(request, facts));
         },
         Kind::Usage, "--fps", "or name a .webp"},
        {"title-text",
         [](const SystemFacts& facts) {
             auto request = book(maze(5, 5));
             request.title = "Lab\xff";
             return refusalOf(planBook(request, facts));
         },
         Kind::Usage, "--title", "is not UTF-8 text"},
        {"output-not-an-input",
         [](const SystemFacts& facts) {
             return refusalOf(planRender(picture("same.txt", "same.txt", {}), facts));
         },
         Kind::Usage, "same.txt", "is the same file as the input same.txt"},
        {"sizes-within-caps",
         [empty](const SystemFacts& facts) {
             InfoRequest request;
             request.input = "flat.txt";
             return refusalOf(planInfo(request, facts, &empty));
         },
         Kind::Failed, "flat.txt", "no maze: its width or height is below 1"},
        {"sizes-within-caps",
         [](const SystemFacts& facts) { return refusalOf(planGenerate(maze(0, 5), facts)); },
         Kind::Usage, "--width", "is not a whole number from 1 to 1000000"},
        {"sizes-within-caps",
         [](const SystemFacts& facts) {
             return refusalOf(planBook(book(maze(1'000'000, 1'000'000)), facts));
         },
         Kind::Failed, "", "1000000 x 1000000 cells are 1,000,000,000,000; at most"},
        {"memory",
         [](SystemFacts facts) {
             facts.memoryAvailable = std::uint64_t{1} << 30;
             return refusalOf(planGenerate(maze(40'000, 40'000), facts));
         },
         Kind::Failed, "", "40000 x 40000 cells need"},
        {"picture-within-the-format",
         [](const SystemFacts& facts) {
             return refusalOf(planAnimate(animation(maze(100'000, 10), "a.gif"), facts));
         },
         Kind::Usage, "--width", "a GIF is at most 65535 pixels a side"},
        {"picture-within-the-format",
         [](const SystemFacts& facts) {
             auto request = animation(maze(3000, 10), "a.webp");
             request.plan.cell = 8;
             return refusalOf(planAnimate(request, facts));
         },
         Kind::Usage, "--cell", "a WebP is at most 16383 pixels a side"},
        {"legible-on-paper",
         [](const SystemFacts& facts) {
             return refusalOf(planBook(book(maze(30'000, 30'000)), facts));
         },
         Kind::Usage, "--width", "does not print legibly on A4, 1 to a page"},
        {"legible-on-paper",
         [big](const SystemFacts& facts) {
             return refusalOf(planRender(picture("big.txt", "big.pdf", {}), facts, &big));
         },
         Kind::Failed, "big.txt", "its cells would be 0.09 mm, less than 0.5 mm"},
        {"difficulty-tries-fit",
         [](const SystemFacts& facts) {
             auto request = maze(20'000, 20'000);
             request.difficulty = "hard";
             return refusalOf(planGenerate(request, facts));
         },
         Kind::Usage, "--difficulty", "takes too long to carve again and again"},
        {"random-walk-finishes",
         [](const SystemFacts& facts) {
             return refusalOf(planGenerate(
                 maze(10'000, 10'000, ShapeKind::Rect, CarveMethod::AldousBroder), facts));
         },
         Kind::Failed, "", "aldous-broder: a 10000 x 10000 maze takes about"},
        {"walk-finishes-on-the-layout",
         [](const SystemFacts& facts) {
             return refusalOf(planGenerate(
                 maze(10'000, 10'000, ShapeKind::Hex, CarveMethod::AldousBroder), facts));
         },
         Kind::Failed, "", "aldous-broder"},
        {"layout-in-one-piece",
         [](const SystemFacts& facts) {
             return refusalOf(planGenerate(maze(1, 3, ShapeKind::Triangle), facts));
         },
         Kind::Failed, "", "a 1 x 3 triangle layout: its cells fall in 2 separate parts"},
        {"layout-in-one-piece",
         [](const SystemFacts& facts) {
             auto request = maze(1, 1);
             request.mask = "apart.txt";
             request.given = given({"--mask"});
             return refusalOf(planGenerate(request, facts));
         },
         Kind::Failed, "apart.txt", "one holding each of 0,0; 3,2"},
    };
}

TEST(PlanRulesTest, EachRuleRefusesItsMistakeWithItsSubjectAndStatus) {
    const SystemFacts facts = roomyFacts();
    std::set<std::string> tried;
    for (const Row& row : rows()) {
        const auto refused = row.plan(facts);
        ASSERT_TRUE(refused) << row.rule << ": " << row.text;
        EXPECT_EQ(refused->kind, row.kind) << row.rule << ": " << refused->text;
        EXPECT_EQ(refused->subject, row.subject) << row.rule << ": " << refused->text;
        EXPECT_NE(refused->text.find(row.text), std::string::npos)
            << row.rule << ": " << refused->text;
        tried.insert(row.rule);
    }
    // A rule added to the table comes with its row here.
    for (const PlanRule& rule : planRules()) {
        EXPECT_TRUE(tried.contains(std::string(rule.name))) << rule.name << " has no row";
    }
}

TEST(PlanRulesTest, SoundRequestsArePlannedAndKeepTheirMazes) {
    const SystemFacts facts = roomyFacts();
    // Every method on the plain rectangle, moved exits too; the general ones on
    // every shape; the largest pictures the formats hold.
    for (const CarveMethodInfo& info : carveMethods()) {
        auto request = maze(40, 30, ShapeKind::Rect, info.method);
        request.farthestExits = true;
        EXPECT_FALSE(refusalOf(planGenerate(request, facts))) << info.name;
    }
    for (const ShapeKind shape : {ShapeKind::Hex, ShapeKind::Triangle, ShapeKind::Polar}) {
        auto request = maze(40, 30, shape, CarveMethod::Wilson);
        request.given = given({"--height"});
        const auto planned = planGenerate(request, facts);
        ASSERT_FALSE(refusalOf(planned));
        EXPECT_EQ(std::get<GeneratePlan>(planned).layout->kind(), shape);
    }
    auto gif = animation(maze(8190, 10), "a.gif");
    gif.plan.cell = 8;
    EXPECT_FALSE(refusalOf(planAnimate(gif, facts)));
    auto webp = animation(maze(2046, 10), "a.webp");
    webp.plan.cell = 8;
    EXPECT_FALSE(refusalOf(planAnimate(webp, facts)));
}

TEST(PlanRulesTest, AMaskIsReadOnceAndNeverForARequestRefusedWithoutIt) {
    SystemFacts facts = roomyFacts();
    int reads = 0;
    facts.readMask = [&reads](const std::string&) {
        ++reads;
        return CellMask(6, 4);
    };
    auto request = maze(1, 1, ShapeKind::Polar);
    request.mask = "ring.txt";
    request.given = given({"--mask"});
    EXPECT_TRUE(refusalOf(planGenerate(request, facts)));
    EXPECT_EQ(reads, 0);
    request.shape = ShapeKind::Hex;
    const auto planned = planGenerate(request, facts);
    ASSERT_FALSE(refusalOf(planned));
    const GeneratePlan& plan = std::get<GeneratePlan>(planned);
    EXPECT_EQ((std::pair{plan.request.width, plan.request.height}), (std::pair{6, 4}));
    // A later plan of the same request, a --difficulty try, reads nothing.
    EXPECT_FALSE(refusalOf(planGenerate(plan.request, facts)));
    EXPECT_EQ(reads, 1);
}

}  // namespace
}  // namespace nitka
