#pragma once

#include <utility>
#include <variant>

#include "plan/planner.h"
#include "plan/system_facts.h"
#include "tool/tool_error.h"

namespace nitka {

// This process's facts for the planner: its memory, its standard output, the
// files behind names, masks read with the tool's messages.
SystemFacts systemFacts();

// The plan, or the planner's refusal thrown as the tool reports it.
template <typename Plan>
Plan planned(Planned<Plan> answer) {
    if (auto* refused = std::get_if<Refusal>(&answer)) {
        if (refused->memory) {
            throw MemoryShortage(std::move(refused->subject), refused->text);
        }
        throw ToolError(std::move(refused->subject), refused->text,
                        static_cast<int>(refused->kind));
    }
    return std::get<Plan>(std::move(answer));
}

}  // namespace nitka
