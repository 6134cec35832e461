// The best plan for generated planets, each goal planned from row 0 as the window plans it: the time of
// each plan (wall clock and processor time, the program's own start left out), their medians and
// slowest per goal, and how many plans were proven best. The same source is built natively and as the 32-bit Windows
// program that runs under Wine (bench/wine/run-plans), so the two builds are measured alike.
//
//     plan_timing [PLANETS] [ROUNDS]     (30 planets, 3 rounds by default)
//
// Each planet is planned once per round, the goals in turn; a plan's time is its median over the rounds.
#include "model/ProductionPlanner.h"
#include "tests/GeneratedPlanets.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <ctime>
#endif

namespace {

// The processor time of this thread so far: a shared machine stretches the wall clock, not this.
double ProcessorSeconds() {
#ifdef _WIN32
    FILETIME created{}, exited{}, kernel{}, user{};
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& time) {
        return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) *
               1e-7;
    };
    return seconds(kernel) + seconds(user);
#else
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
#endif
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int Count(const char* text, int fallback) {
    const int value = text ? std::atoi(text) : 0;
    return value > 0 ? value : fallback;
}

} // namespace

int main(int argc, char** argv) {
    const int planets = Count(argc > 1 ? argv[1] : nullptr, 30);
    const int rounds = Count(argc > 2 ? argv[2] : nullptr, 3);
    std::vector<std::unique_ptr<CZentharoDoc>> generated;
    for (int seed = 1; seed <= planets; ++seed)
        generated.push_back(GeneratedPlanets::Generate(static_cast<std::uint32_t>(seed)));

    for (const PlanGoal goal : {PlanGoal::Ships, PlanGoal::Production}) {
        std::vector<double> times, processorTimes;
        int proven = 0;
        std::vector<double> rows;
        for (int planet = 0; planet < planets; ++planet) {
            std::vector<double> planTimes, planProcessorTimes;
            ProductionPlan plan;
            long long built = 0;
            for (int round = 0; round < rounds; ++round) {
                const auto start = std::chrono::steady_clock::now();
                const double processorStart = ProcessorSeconds();
                ProductionPlanner planner(*generated[planet], goal, 0);
                plan = planner.Plan();
                planProcessorTimes.push_back(ProcessorSeconds() - processorStart);
                planTimes.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
                built = planner.RowsBuilt();
            }
            times.push_back(Median(planTimes));
            processorTimes.push_back(Median(planProcessorTimes));
            rows.push_back(static_cast<double>(built));
            proven += plan.proven;
            std::printf("%s planet %d: %.3f s (processor %.3f s), %lld rows, %s\n", PlanGoals::Name(goal), planet + 1,
                        times.back(), processorTimes.back(), built, plan.proven ? "best" : "best found");
        }
        std::printf("%s: wall median %.3f s, slowest %.3f s; processor median %.3f s, slowest %.3f s; proven %d of %d; "
                    "rows median %.0f\n",
                    PlanGoals::Name(goal), Median(times), *std::max_element(times.begin(), times.end()),
                    Median(processorTimes), *std::max_element(processorTimes.begin(), processorTimes.end()), proven,
                    planets, Median(rows));
        std::fflush(stdout);
    }
    return 0;
}
