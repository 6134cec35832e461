// Plans in words.
#include "PlanText.h"

namespace PlanText {

std::string Runs(const CZentharoDoc& projection, const ProductionPlan& plan) {
    std::string text;
    for (int first = plan.firstRow; first <= kLastPlannedRow;) {
        int last = first;
        while (last < kLastPlannedRow && plan.entries[last + 1] == plan.entries[first])
            ++last;
        if (!text.empty())
            text += ", ";
        text += projection.m_turn[first].View();
        if (last > first)
            text.append("-").append(projection.m_turn[last].View());
        text.append(" ").append(plan.Entry(first));
        first = last + 1;
    }
    return text;
}

std::string ToolLine(const CZentharoDoc& projection, const ProductionPlan& plan) {
    return "plan: " + Runs(projection, plan) + "; " + PlanGoals::Name(plan.goal) + " " + Number(plan.value) +
           " (current " + Number(plan.currentValue) + "); " + (plan.proven ? "best" : "best found");
}

std::string Question(const CZentharoDoc& projection, const ProductionPlan& plan) {
    const bool oneTurn = plan.firstRow == kLastPlannedRow;
    const char* goal = plan.goal == PlanGoal::Ships ? "ship mass" : "production";
    return std::string(oneTurn ? "Turn " : "Turns ") + Runs(projection, plan) + ": " + goal + " " +
           Number(plan.value, true) + " (now " + Number(plan.currentValue, true) + "). " +
           (plan.proven ? "Best." : "Best found.") + " Apply this plan?";
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
