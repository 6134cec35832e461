// Keeping and moving the steps of a projection's history.
#include "EditHistory.h"

#include <type_traits>
#include <utility>

static_assert(std::is_nothrow_move_constructible_v<EditHistory::Step> &&
                  std::is_nothrow_move_assignable_v<EditHistory::Step>,
              "steps move within their reserved room without allocating");

namespace EditSteps {

const char* Name(EditStep step) {
    switch (step) {
    case EditStep::Typing:
        return "Typing";
    case EditStep::Production:
        return "Production";
    case EditStep::Fill:
        return "Fill later turns";
    case EditStep::Paste:
        return "Paste block";
    case EditStep::Clear:
        return "Clear all inputs";
    case EditStep::Plan:
        return "Best plan";
    case EditStep::Close:
        return "Close";
    }
    return "";
}

} // namespace EditSteps

EditHistory::EditHistory() {
    // One more than kept: a step is added before the oldest is let go.
    m_undo.reserve(kMostSteps + 1);
    m_redo.reserve(kMostSteps + 1);
}

void EditHistory::Push(std::vector<Step>& steps, Step step) noexcept {
    steps.push_back(std::move(step)); // within the reserved room: nothing is allocated
    if (steps.size() > kMostSteps)
        steps.erase(steps.begin());
}

void EditHistory::Record(EditStep kind, TableInputs before) noexcept {
    m_redo.clear();
    Push(m_undo, {kind, std::move(before)});
}

void EditHistory::Undone(TableInputs current) noexcept { Move(m_undo, m_redo, std::move(current)); }

void EditHistory::Redone(TableInputs current) noexcept { Move(m_redo, m_undo, std::move(current)); }

void EditHistory::Move(std::vector<Step>& from, std::vector<Step>& to, TableInputs current) noexcept {
    if (from.empty())
        return;
    const EditStep kind = from.back().kind;
    from.pop_back();
    Push(to, {kind, std::move(current)});
}
