#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "plan/job.h"
#include "plan/refusal.h"
#include "plan/system_facts.h"

namespace nitka {

// When a rule can be asked: from the request and the sizes alone, or once the
// layout of the maze is made (a mask cut, a polar maze's rings counted).
enum class RuleStage { Request, Layout };

// One check of the plan: a small function that finds one kind of mistake in
// a request, or nothing. The table of them is the whole of what the tool
// checks before it works; docs/plan.md lists it for users.
struct PlanRule {
    std::string_view name;
    RuleStage stage;
    std::optional<Refusal> (*check)(const Job& job, const SystemFacts& facts);
};

// Every rule, in the order they are asked: the first to refuse answers.
std::span<const PlanRule> planRules();

// The first refusal of the rules of stage, or nothing. A rule that needs what
// the job does not know yet (a file's size before its header) passes.
std::optional<Refusal> firstRefusal(const Job& job, const SystemFacts& facts, RuleStage stage);

// The memory the job needs, added up from what each layer holds, saturated;
// 0 while the maze's size is unknown.
std::uint64_t jobMemoryNeed(const Job& job);

// Pixels a side of one picture the job draws (a frame of an animation),
// saturated; nothing for an output that is not drawn in pixels or a maze of
// unknown size.
struct PixelSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
};
std::optional<PixelSize> jobPictureSize(const Job& job);

}  // namespace nitka
