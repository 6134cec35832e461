// The best-plan search over a set of generated planets, for each goal and first row: how long one
// planet takes (median and slowest, wall clock and processor), how often the plan is proven best, and
// how many rows the search recalculates. Run: build/native/bench/zentharo_plan_bench
#include "model/ProductionPlanner.h"
#include "tests/GeneratedPlanets.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

namespace {

constexpr std::uint32_t kPlanets = 12;

double ProcessorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void BM_Plan(benchmark::State& state) {
    const PlanGoal goal = state.range(0) ? PlanGoal::Production : PlanGoal::Ships;
    const int firstRow = static_cast<int>(state.range(1));
    std::vector<std::unique_ptr<CZentharoDoc>> planets;
    for (std::uint32_t seed = 1; seed <= kPlanets; ++seed)
        planets.push_back(GeneratedPlanets::Generate(seed));

    std::vector<double> wall, processor;
    double proven = 0, rows = 0;
    for (auto _ : state) {
        for (const auto& planet : planets) {
            const auto wallStart = std::chrono::steady_clock::now();
            const double processorStart = ProcessorSeconds();
            ProductionPlanner planner(*planet, goal, firstRow);
            const ProductionPlan plan = planner.Plan();
            processor.push_back(ProcessorSeconds() - processorStart);
            wall.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count());
            proven += plan.proven;
            rows += static_cast<double>(planner.RowsBuilt());
            benchmark::DoNotOptimize(plan.value);
        }
    }
    const double plans = static_cast<double>(wall.size());
    state.SetLabel(std::string(PlanGoals::Name(goal)) + " horizon " + std::to_string(kLastPlannedRow + 1 - firstRow));
    state.counters["wall_ms_median"] = 1e3 * Median(wall);
    state.counters["wall_ms_max"] = 1e3 * *std::max_element(wall.begin(), wall.end());
    state.counters["cpu_ms_median"] = 1e3 * Median(processor);
    state.counters["cpu_ms_max"] = 1e3 * *std::max_element(processor.begin(), processor.end());
    state.counters["proven"] = proven / plans;
    state.counters["rows"] = rows / plans;
}
// Each iteration plans every planet of the set; a few iterations give the medians enough samples.
BENCHMARK(BM_Plan)
    ->ArgsProduct({{0, 1}, {0, 3, 7, 9, 11, 14, 17}})
    ->ArgNames({"goal", "from"}) // goal 0: ships, 1: production
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
