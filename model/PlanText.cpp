// Plans in words.
#include "PlanText.h"

namespace PlanText {

namespace {

// The runs, each begun with what naming gives its first and last row.
template <typename Naming>
std::string RunsNamed(const CZentharoDoc& projection, const ProductionPlan& plan, Naming naming) {
    std::string text;
    for (int first = plan.firstRow; first <= kLastPlannedRow;) {
        int last = first;
        while (last < kLastPlannedRow && plan.entries[last + 1] == plan.entries[first])
            ++last;
        if (!text.empty())
            text += ", ";
        text += naming(first, last);
        text += projection.m_turn[first].View();
        if (last > first)
            text.append("-").append(projection.m_turn[last].View());
        text.append(" ").append(plan.Entry(first));
        first = last + 1;
    }
    return text;
}

const char* GoalInWords(PlanGoal goal) { return goal == PlanGoal::Ships ? "ship mass" : "production"; }

constexpr const char* kStoppedShort = "The search stopped before it could rule out a better plan.";

} // namespace

std::string Runs(const CZentharoDoc& projection, const ProductionPlan& plan) {
    return RunsNamed(projection, plan, [](int, int) { return ""; });
}

std::string ToolLine(const CZentharoDoc& projection, const ProductionPlan& plan) {
    return "plan: " + Runs(projection, plan) + "; " + PlanGoals::Name(plan.goal) + " " + Number(plan.value) +
           " (current " + Number(plan.currentValue) + "); " + (plan.proven ? "best" : "best found");
}

std::string Question(const CZentharoDoc& projection, const ProductionPlan& plan) {
    std::string runs =
        RunsNamed(projection, plan, [](int first, int last) { return first == last ? "turn " : "turns "; });
    runs[0] = 'T';
    return runs + ": " + GoalInWords(plan.goal) + " " + Number(plan.value, true) + " (now " +
           Number(plan.currentValue, true) + "). " +
           (plan.proven ? "Best." : std::string("Best found.\n") + kStoppedShort) + "\nApply this plan?";
}

std::string NothingToGain(const ProductionPlan& plan) {
    const std::string goal = GoalInWords(plan.goal);
    const std::string value = Number(plan.currentValue, true);
    if (plan.proven)
        return "The current productions already give the most " + goal + " (" + value + ").";
    return "No plan found gives more " + goal + " than the current productions (" + value + ").\n" + kStoppedShort;
}

std::string Number(double value, bool grouped) {
    char buffer[NumberText::kFormattedSize];
    std::string text(buffer, NumberText::WriteTwoDecimals(value, buffer));
    if (!grouped)
        return text;
    const std::size_t digitsBegin = text[0] == '-' ? 1 : 0;
    const std::size_t point = text.find('.');
    if (point == std::string::npos)
        return text; // "inf" or "nan"
    for (std::size_t comma = point; comma > digitsBegin + 3; comma -= 3)
        text.insert(comma - 3, 1, ',');
    return text;
}

} // namespace PlanText
