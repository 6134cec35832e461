// The planner against plans tried one by one: the optimum on short horizons, whether searched through
// or proven by bounds; never below the current plan or any plan of at most two switches on long ones;
// values that applying the plan gives back; bounds that no plan passes; and the tie rule.
#include "GeneratedPlanets.h"
#include "ProjectionFixtures.h"
#include "model/PlanBound.h"
#include "model/ProductionPlanner.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr PlanGoal kGoals[] = {PlanGoal::Ships, PlanGoal::Production};

std::unique_ptr<CZentharoDoc> CopyOf(const CZentharoDoc& projection) {
    auto copy = std::make_unique<CZentharoDoc>(projection.m_planet);
    copy->m_bAutoDelete = false;
    copy->CopyTable(projection);
    return copy;
}

// What a row's text becomes when a plan gives it an entry: a text that builds ships and whose chooser
// shows "Ship" (a design's name, an empty text) stays when the entry is "Ship".
CString TextAfter(const CString& text, std::int8_t entry) {
    const std::string_view named = ProductionChooser::kEntriesAdded[entry];
    const bool buildsShips = text != "Capital" && text != "Materials" && text != "_TerraForming";
    const bool keeps =
        named == "Ship" && buildsShips && std::string_view(ProductionChooser::SelectedEntry(text)) == "Ship";
    return keeps ? text : CString(named);
}

// The plan applied as the window applies it: its entries stored at once, then one recalculation.
std::unique_ptr<CZentharoDoc> Applied(const CZentharoDoc& projection, int firstRow, const PlanEntries& entries) {
    auto copy = CopyOf(projection);
    std::vector<CZentharoDoc::Input> inputs;
    for (int row = firstRow; row <= kLastPlannedRow; ++row)
        inputs.push_back({&CZentharoDoc::m_production, row, TextAfter(projection.m_production[row], entries[row])});
    copy->SetInputs(inputs, EditStep::Plan);
    return copy;
}

int RowsRewritten(const CZentharoDoc& before, const CZentharoDoc& after) {
    int rewritten = 0;
    for (int row = 0; row < kProjectedTurns; ++row)
        rewritten += before.m_production[row] != after.m_production[row];
    return rewritten;
}

// The entries the rows' texts build as.
PlanEntries BuiltEntries(const CZentharoDoc& projection) {
    PlanEntries entries{};
    for (int row = 0; row <= kLastPlannedRow; ++row) {
        entries[row] = 2;
        for (std::int8_t entry = 0; entry < 4; ++entry)
            if (projection.m_production[row] == ProductionChooser::kEntriesAdded[entry])
                entries[row] = entry;
    }
    return entries;
}

std::string Letters(const PlanEntries& entries, int firstRow) {
    std::string letters;
    for (int row = firstRow; row <= kLastPlannedRow; ++row)
        letters += "CMST"[entries[row]];
    return letters;
}

// The best of the given plans by the rule as stated: the highest value, then the fewest rows whose
// text changes, then the first entry in the choosers' order at the first row that differs; the
// productions as they stand when none of them is worth more.
struct Tried {
    PlanEntries entries{};
    double value = 0;
    int changed = 0;
};

Tried BestOf(const CZentharoDoc& projection, PlanGoal goal, int firstRow, const std::vector<PlanEntries>& plans) {
    Tried best;
    bool first = true;
    for (const PlanEntries& entries : plans) {
        const auto applied = Applied(projection, firstRow, entries);
        const Tried tried{entries, PlanGoals::Value(*applied, goal, firstRow), RowsRewritten(projection, *applied)};
        const bool better =
            first || tried.value > best.value ||
            (tried.value == best.value &&
             (tried.changed < best.changed ||
              (tried.changed == best.changed && Letters(entries, firstRow) < Letters(best.entries, firstRow))));
        if (better)
            best = tried;
        first = false;
    }
    const double current = PlanGoals::Value(projection, goal, firstRow);
    if (!(best.value > current))
        return {BuiltEntries(projection), current, 0};
    return best;
}

std::vector<PlanEntries> EveryPlan(int firstRow) {
    std::vector<PlanEntries> plans;
    PlanEntries entries{};
    const std::function<void(int)> fill = [&](int row) {
        if (row > kLastPlannedRow) {
            plans.push_back(entries);
            return;
        }
        for (std::int8_t entry = 0; entry < 4; ++entry) {
            entries[row] = entry;
            fill(row + 1);
        }
    };
    fill(firstRow);
    return plans;
}

// Every plan that is a then b then c, switching at rows s and t.
std::vector<PlanEntries> PlansOfAtMostTwoSwitches(int firstRow) {
    std::set<PlanEntries> plans;
    for (int s = firstRow; s <= kLastPlannedRow + 1; ++s)
        for (int t = s; t <= kLastPlannedRow + 1; ++t)
            for (std::int8_t a = 0; a < 4; ++a)
                for (std::int8_t b = 0; b < 4; ++b)
                    for (std::int8_t c = 0; c < 4; ++c) {
                        PlanEntries entries{};
                        for (int row = firstRow; row <= kLastPlannedRow; ++row)
                            entries[row] = row < s ? a : row < t ? b : c;
                        plans.insert(entries);
                    }
    return {plans.begin(), plans.end()};
}

void ExpectSamePlan(const Tried& expected, const ProductionPlan& plan) {
    EXPECT_EQ(Letters(expected.entries, plan.firstRow), Letters(plan.entries, plan.firstRow));
    EXPECT_EQ(expected.value, plan.value);
    EXPECT_EQ(expected.changed, plan.changedRows);
}

TEST(ProductionPlanner, FindsTheBestOfEveryPlanOnShortHorizons) {
    const struct {
        std::uint32_t seed;
        int firstRow;
    } cases[] = {{1, 18}, {1, 14}, {2, 17}, {2, 14}, {3, 16}, {4, 14}, {5, 15}, {6, 14}, {7, 12}};
    for (const auto& c : cases) {
        const auto projection = GeneratedPlanets::Generate(c.seed);
        for (const PlanGoal goal : kGoals) {
            SCOPED_TRACE("seed " + std::to_string(c.seed) + " " + PlanGoals::Name(goal) + " from row " +
                         std::to_string(c.firstRow));
            const ProductionPlan plan = ProductionPlanner(*projection, goal, c.firstRow).Plan();
            ExpectSamePlan(BestOf(*projection, goal, c.firstRow, EveryPlan(c.firstRow)), plan);
            EXPECT_TRUE(plan.proven);
        }
    }
}

// With every plan of up to 8 rows searched as the reference, the bounded search must reach the same
// plan, and know it.
TEST(ProductionPlanner, ProofByBoundsFindsWhatTryingEveryPlanFinds) {
    PlannerLimits searched; // the search alone finds the best value: nothing improves its first plan
    searched.exhaustiveHorizon = 0;
    searched.rowBudget = 10'000'000;
    searched.improvingBeforeTheProof = 0;
    PlannerLimits improved = searched; // and with a plan improved first, the same plan as the tie rule's
    improved.improvingBeforeTheProof = PlannerLimits{}.improvingBeforeTheProof;
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        // As generated, and with two rows whose upgrade takes all their production: they build nothing
        // whatever they are set to, and the search lets one entry stand for all.
        std::unique_ptr<CZentharoDoc> projections[] = {GeneratedPlanets::Generate(seed),
                                                       GeneratedPlanets::Generate(seed)};
        for (const int row : {12, 16})
            projections[1]->SetInput(&CZentharoDoc::m_upgrade, row, "100000");
        for (const auto& projection : projections) {
            for (const PlanGoal goal : kGoals) {
                for (const int firstRow : {11, 15}) {
                    SCOPED_TRACE("seed " + std::to_string(seed) + " " + PlanGoals::Name(goal) + " from row " +
                                 std::to_string(firstRow) + (projection == projections[1] ? ", two rows idle" : ""));
                    const ProductionPlan everyPlan = ProductionPlanner(*projection, goal, firstRow).Plan();
                    const ProductionPlan found = ProductionPlanner(*projection, goal, firstRow, searched).Plan();
                    EXPECT_EQ(everyPlan.value, found.value);
                    EXPECT_TRUE(found.proven);
                    const ProductionPlan plan = ProductionPlanner(*projection, goal, firstRow, improved).Plan();
                    EXPECT_EQ(Letters(everyPlan.entries, firstRow), Letters(plan.entries, firstRow));
                    EXPECT_EQ(everyPlan.changedRows, plan.changedRows);
                    EXPECT_TRUE(plan.proven);
                }
            }
        }
    }
}

// However little work it may do beyond them.
TEST(ProductionPlanner, NeverBelowTheCurrentPlanOrAnyPlanOfTwoSwitches) {
    PlannerLimits least;
    least.rowBudget = 1;
    const struct {
        std::uint32_t seed;
        int firstRow;
    } cases[] = {{1, 0}, {2, 0}, {3, 6}};
    for (const auto& c : cases) {
        const auto projection = GeneratedPlanets::Generate(c.seed);
        for (const PlanGoal goal : kGoals) {
            SCOPED_TRACE("seed " + std::to_string(c.seed) + " " + PlanGoals::Name(goal) + " from row " +
                         std::to_string(c.firstRow));
            const ProductionPlan plan = ProductionPlanner(*projection, goal, c.firstRow, least).Plan();
            EXPECT_GE(plan.value, BestOf(*projection, goal, c.firstRow, PlansOfAtMostTwoSwitches(c.firstRow)).value);
            EXPECT_GE(plan.value, plan.currentValue);
        }
    }
}

// A local search of its own from random plans: each row's entry changed while that gains, to a plan no
// single change improves. The planner, with its usual work, finds no less.
TEST(ProductionPlanner, NeverBelowARandomLocalSearch) {
    std::mt19937 random(27);
    for (std::uint32_t seed = 31; seed <= 33; ++seed) {
        const auto projection = GeneratedPlanets::Generate(seed);
        for (const PlanGoal goal : kGoals) {
            SCOPED_TRACE("seed " + std::to_string(seed) + " " + PlanGoals::Name(goal));
            PlanEvaluator evaluator(*projection, goal, 0);
            double found = -1;
            for (int start = 0; start < 5; ++start) {
                PlanEntries entries{};
                for (auto& entry : entries)
                    entry = static_cast<std::int8_t>(random() % 4);
                double value = evaluator.Evaluate(entries);
                for (bool gained = true; gained;) {
                    gained = false;
                    for (int row = 0; row <= kLastPlannedRow; ++row)
                        for (std::int8_t entry = 0; entry < 4; ++entry) {
                            PlanEntries changed = entries;
                            changed[row] = entry;
                            const double changedValue = evaluator.Evaluate(changed);
                            if (changedValue > value) {
                                entries = changed;
                                value = changedValue;
                                gained = true;
                            }
                        }
                }
                found = std::max(found, value);
            }
            EXPECT_GE(ProductionPlanner(*projection, goal, 0).Plan().value, found);
        }
    }
}

TEST(ProductionPlanner, ItsValuesAreThoseOfTheTableWithThePlanApplied) {
    PlannerLimits brief;
    brief.rowBudget = 50'000;
    for (std::uint32_t seed = 20; seed <= 23; ++seed) {
        const auto projection = GeneratedPlanets::Generate(seed);
        for (const PlanGoal goal : kGoals) {
            for (const int firstRow : {0, 12, 18}) {
                SCOPED_TRACE("seed " + std::to_string(seed) + " " + PlanGoals::Name(goal) + " from row " +
                             std::to_string(firstRow));
                const ProductionPlan plan = ProductionPlanner(*projection, goal, firstRow, brief).Plan();
                auto applied = CopyOf(*projection);
                applied->SetInputs(plan.Inputs(*projection), EditStep::Plan);
                EXPECT_EQ(PlanGoals::Value(*applied, goal, firstRow), plan.value);
                EXPECT_EQ(PlanGoals::Value(*projection, goal, firstRow), plan.currentValue);
                EXPECT_EQ(RowsRewritten(*projection, *applied), plan.changedRows);
            }
        }
    }
}

// A recalculation caps an upgrade above its row's L for good. An upgrade just below the L of the current
// plan is capped by a plan with less L; a plan tried after it, with more L again, must still see it as
// the projection holds it. Here industry grows from nothing, so L grows with each turn of capital.
TEST(PlanEvaluator, EachPlanIsWorthWhatApplyingItGives) {
    auto projection = OpenedDocument(ExampleRecord({{"Size", "2500"},
                                                    {"Population", "2500"},
                                                    {"Industry", "0"},
                                                    {"CAP", "0"},
                                                    {"MAT", "100000"},
                                                    {"Production", "Capital"}}));
    constexpr int kFirstRow = 2;
    for (int row = kFirstRow + 1; row <= kLastPlannedRow; ++row)
        projection->SetInput(&CZentharoDoc::m_upgrade, row,
                             NumberText::NumberToText(0.97 * NumberText::Read(projection->m_l[row].View())));
    std::mt19937 random(7);
    for (const PlanGoal goal : kGoals) {
        PlanEvaluator evaluator(*projection, goal, kFirstRow);
        int wrong = 0;
        for (int plan = 0; plan < 300; ++plan) {
            PlanEntries entries{};
            for (int row = kFirstRow; row <= kLastPlannedRow; ++row)
                entries[row] = static_cast<std::int8_t>(random() % 4);
            // Plans followed part of the way in between, as the search follows them, leave nothing behind.
            if (plan % 3 == 1) {
                PlanEntries partway = entries;
                partway[kFirstRow + random() % 10] = static_cast<std::int8_t>(random() % 4);
                evaluator.Follow(partway, kFirstRow + 1 + static_cast<int>(random() % 16));
            }
            const auto applied = Applied(*projection, kFirstRow, entries);
            wrong += evaluator.Evaluate(entries) != PlanGoals::Value(*applied, goal, kFirstRow);
            wrong += AllTexts(evaluator.Table()) != AllTexts(*applied);
        }
        EXPECT_EQ(0, wrong) << PlanGoals::Name(goal);
    }
}

// From any row on, whatever came before: no completion of the plan beats the bound. The prefixes build
// each kind first, alternate, or hold one kind, so that the states the bound follows are reached by
// plans of every shape.
TEST(PlanBound, NoPlanPassesIt) {
    const auto prefixOf = [](int shape, std::uint32_t seed, int row) {
        PlanEntries prefix{};
        for (int r = 0; r < row; ++r)
            prefix[r] = static_cast<std::int8_t>(shape == 0   ? (seed + r * 7) % 4
                                                 : shape == 1 ? r * 4 / row
                                                              : shape - 2);
        return prefix;
    };
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        const auto projection = GeneratedPlanets::Generate(seed);
        ASSERT_TRUE(PlanBound::Holds(*projection, 0));
        for (const PlanGoal goal : kGoals) {
            PlanEvaluator evaluator(*projection, goal, 0);
            for (const int row : {12, 14, 16, 18, 19}) {
                const int shape = static_cast<int>((seed + static_cast<std::uint32_t>(row)) % 6);
                SCOPED_TRACE("seed " + std::to_string(seed) + " " + PlanGoals::Name(goal) + " row " +
                             std::to_string(row) + " shape " + std::to_string(shape));
                const PlanEntries prefix = prefixOf(shape, seed, row);
                evaluator.Evaluate(prefix);
                const double highest = PlanBound::Highest(evaluator.Table(), goal, row, evaluator.ValueThrough(row));
                double best = -1;
                for (const PlanEntries& completion : EveryPlan(row)) {
                    PlanEntries entries = completion;
                    std::copy(prefix.begin(), prefix.begin() + row, entries.begin());
                    best = std::max(best, evaluator.Evaluate(entries));
                }
                EXPECT_LE(best, highest);
            }
        }
    }
}

// The room a planner keeps from one bound to the next holds nothing over: bounds from rows far apart, in
// turn, are those worked out afresh.
TEST(PlanBound, KeptRoomGivesTheSameBounds) {
    const auto projection = GeneratedPlanets::Generate(5);
    PlanBound::Workspace kept;
    for (const PlanGoal goal : kGoals) {
        PlanEvaluator evaluator(*projection, goal, 0);
        for (const int row : {1, 17, 4, 18, 9, 2, 12}) {
            PlanEntries entries{};
            for (int r = 0; r <= kLastPlannedRow; ++r)
                entries[r] = static_cast<std::int8_t>((r * 5 + row) % 4);
            evaluator.Evaluate(entries);
            const double afresh = PlanBound::Highest(evaluator.Table(), goal, row, evaluator.ValueThrough(row));
            long long states = 0;
            EXPECT_EQ(afresh, PlanBound::Highest(evaluator.Table(), goal, row, evaluator.ValueThrough(row),
                                                 std::numeric_limits<double>::quiet_NaN(), &states, &kept))
                << PlanGoals::Name(goal) << " row " << row;
            EXPECT_GT(states, 0);
        }
    }
}

TEST(PlanBound, HoldsOnlyWithoutNegativeInputsOrStocks) {
    const auto projection = OpenedDocument(ExampleRecord());
    EXPECT_TRUE(PlanBound::Holds(*projection, 0));
    const struct {
        ProjectionColumn CZentharoDoc::*column;
        int row;
        int firstRow;
        bool holds;
    } cases[] = {
        {&CZentharoDoc::m_colIn, 5, 0, false},   {&CZentharoDoc::m_capIn, 19, 0, false},
        {&CZentharoDoc::m_matIn, 0, 0, false},   {&CZentharoDoc::m_bombing, 19, 3, false},
        {&CZentharoDoc::m_upgrade, 2, 0, false}, {&CZentharoDoc::m_upgrade, 2, 3, true}, // before the plan
    };
    for (const auto& c : cases) {
        auto changed = CopyOf(*projection);
        changed->SetInput(c.column, c.row, "-1");
        EXPECT_EQ(c.holds, PlanBound::Holds(*changed, c.firstRow)) << "row " << c.row;
    }
    EXPECT_FALSE(PlanBound::Holds(*OpenedDocument(ExampleRecord({{"Resource", "-0.5"}})), 0));
}

// With its usual work, from the window's first row: the bound is tight enough to finish the search.
TEST(ProductionPlanner, ProvesTheBestPlanOfRealisticPlanets) {
    const struct {
        PlanGoal goal;
        std::uint32_t seed;
    } cases[] = {{PlanGoal::Ships, 1},      {PlanGoal::Ships, 3},      {PlanGoal::Ships, 8},
                 {PlanGoal::Production, 1}, {PlanGoal::Production, 9}, {PlanGoal::Production, 21}};
    for (const auto& c : cases) {
        SCOPED_TRACE("seed " + std::to_string(c.seed) + " " + PlanGoals::Name(c.goal));
        EXPECT_TRUE(ProductionPlanner(*GeneratedPlanets::Generate(c.seed), c.goal, 0).Plan().proven);
    }
}

// The bound's work counts: a search given little work stops near it, though its rows alone are fewer.
TEST(ProductionPlanner, StopsWhenItsWorkWithTheBoundsIsDone) {
    PlannerLimits little;
    little.rowBudget = 20'000;
    const auto projection = GeneratedPlanets::Generate(16);
    for (const PlanGoal goal : kGoals) {
        ProductionPlanner planner(*projection, goal, 0, little);
        const ProductionPlan plan = planner.Plan();
        SCOPED_TRACE(PlanGoals::Name(goal));
        EXPECT_FALSE(plan.proven);
        EXPECT_GT(planner.BoundStates(), 0);
        // At most a step past the budget before the plans of two switches and their improving.
        EXPECT_LT(planner.Work(), little.rowBudget + 60'000);
    }
}

TEST(ProductionPlanner, SaysBestOnlyWhenItSearchedEverything) {
    const auto projection = GeneratedPlanets::Generate(3);
    PlannerLimits cut;
    cut.rowBudget = 1;
    EXPECT_FALSE(ProductionPlanner(*projection, PlanGoal::Ships, 0, cut).Plan().proven);
    EXPECT_TRUE(ProductionPlanner(*projection, PlanGoal::Ships, 11, cut).Plan().proven); // every plan tried
    // A negative delivery breaks the bounds' reasoning: no proof, however much work is allowed.
    auto negative = CopyOf(*projection);
    negative->SetInput(&CZentharoDoc::m_colIn, 15, "-5");
    PlannerLimits ample;
    ample.rowBudget = 2'000'000;
    EXPECT_FALSE(ProductionPlanner(*negative, PlanGoal::Production, 9, ample).Plan().proven);
}

// Whatever a ship-building row is called, it counts as Ship: the same values as with "Ship" itself, and
// its name kept where the plan builds ships, unless its chooser shows another entry ("cap").
TEST(ProductionPlanner, ShipDesignsAreShipProductionAndKeepTheirNames) {
    const auto asShip = OpenedDocument(ExampleRecord({{"Production", "Ship"}}));
    PlannerLimits brief;
    brief.rowBudget = 20'000; // the same work for both tables gives the same plan
    const struct {
        const char* production;
        const char* keptAs;
    } cases[] = {{"Battleship_Mk2", "Battleship_Mk2"}, {"", ""}, {"Sh", "Sh"}, {"cap", "Ship"}};
    for (const auto& c : cases) {
        const auto named = OpenedDocument(ExampleRecord({{"Production", c.production}}));
        for (const PlanGoal goal : kGoals) {
            for (const int firstRow : {0, 12}) {
                SCOPED_TRACE(std::string("'") + c.production + "' " + PlanGoals::Name(goal) + " from row " +
                             std::to_string(firstRow));
                const ProductionPlan reference = ProductionPlanner(*asShip, goal, firstRow, brief).Plan();
                const ProductionPlan plan = ProductionPlanner(*named, goal, firstRow, brief).Plan();
                EXPECT_EQ(reference.currentValue, plan.currentValue);
                EXPECT_EQ(reference.value, plan.value);
                EXPECT_EQ(Letters(reference.entries, firstRow), Letters(plan.entries, firstRow));
                auto applied = CopyOf(*named);
                applied->SetInputs(plan.Inputs(*named), EditStep::Plan);
                // Where nothing is gained, even "cap" stays.
                const char* shipText = plan.changedRows == 0 ? c.production : c.keptAs;
                for (int row = firstRow; row <= kLastPlannedRow; ++row)
                    EXPECT_EQ(CString(plan.entries[row] == kShipEntry ? shipText : plan.Entry(row)),
                              applied->m_production[row])
                        << "row " << row;
            }
        }
    }
}

// No plan beats the productions as they stand: they are kept, whatever their texts, and nothing is
// stored. A table that already holds the best plan is one such.
TEST(ProductionPlanner, NothingToGainChangesNothing) {
    // No population and no colonists: no production, no mass, whatever the plan.
    auto barren = OpenedDocument(ExampleRecord({{"Population", "0"}, {"COL", "0"}}));
    const char* texts[] = {"Materials", "Battleship_Mk2", "cap", "", "_TerraForming"};
    for (int row = 0; row < kProjectedTurns; ++row)
        barren->SetInput(&CZentharoDoc::m_production, row, texts[row % 5]);
    // A proven best plan applied: every plan of rows 12..18 is tried.
    constexpr int kProvenFrom = 12;
    std::vector<std::unique_ptr<CZentharoDoc>> alreadyBest;
    for (const PlanGoal goal : kGoals) {
        auto planned = OpenedDocument(ExampleRecord());
        const ProductionPlan plan = ProductionPlanner(*planned, goal, kProvenFrom).Plan();
        ASSERT_TRUE(plan.proven);
        planned->SetInputs(plan.Inputs(*planned), EditStep::Plan);
        alreadyBest.push_back(std::move(planned));
    }
    const struct {
        const char* name;
        const CZentharoDoc& projection;
        PlanGoal goal;
        int firstRow;
    } cases[] = {{"barren", *barren, PlanGoal::Ships, 15},
                 {"barren", *barren, PlanGoal::Ships, 0}, // proven by bounds
                 {"barren", *barren, PlanGoal::Production, 15},
                 {"barren", *barren, PlanGoal::Production, 0},
                 {"best for ships", *alreadyBest[0], PlanGoal::Ships, kProvenFrom},
                 {"best for production", *alreadyBest[1], PlanGoal::Production, kProvenFrom}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + PlanGoals::Name(c.goal) + " from row " + std::to_string(c.firstRow));
        const ProductionPlan plan = ProductionPlanner(c.projection, c.goal, c.firstRow).Plan();
        EXPECT_EQ(0, plan.changedRows);
        EXPECT_TRUE(plan.Inputs(c.projection).empty());
        EXPECT_EQ(plan.currentValue, plan.value);
        EXPECT_TRUE(plan.proven);
        EXPECT_EQ(Letters(BuiltEntries(c.projection), c.firstRow), Letters(plan.entries, c.firstRow));
    }
}

} // namespace
