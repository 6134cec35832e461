// Planets drawn at random from a seed, for the planner's tests and benchmark: every kind the record
// can describe, from barren rocks to crowded worlds, with a few deliveries, bombings and upgrades.
#pragma once

#include "model/CZentharoDoc.h"

#include <cstdint>
#include <memory>
#include <random>
#include <string>

namespace GeneratedPlanets {

inline std::string TwoDecimals(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// The same planet for the same seed. With inputs, some rows get deliveries, bombing or an upgrade.
inline std::unique_ptr<CZentharoDoc> Generate(std::uint32_t seed, bool inputs = true) {
    std::mt19937 random(seed);
    const auto uniform = [&](double low, double high) {
        return low + (high - low) * (static_cast<double>(random()) / 4294967296.0);
    };
    const auto chance = [&](double p) { return uniform(0, 1) < p; };
    const double size = uniform(50, 2500);
    const double population = size * uniform(0.05, 1.1);
    const char* productions[] = {"Capital", "Materials", "Ship", "_TerraForming", "Battleship_Mk2"};

    CMapStringToString record;
    record.SetAt("Name", ("Planet " + std::to_string(seed)).c_str());
    record.SetAt("Num", std::to_string(seed % 1000).c_str());
    record.SetAt("GameName", "Generated");
    record.SetAt("Turn", std::to_string(10 + seed % 90).c_str());
    record.SetAt("Size", TwoDecimals(size).c_str());
    record.SetAt("Resource", TwoDecimals(chance(0.1) ? uniform(0, 0.3) : uniform(0.1, 10)).c_str());
    record.SetAt("Population", TwoDecimals(population).c_str());
    record.SetAt("COL", TwoDecimals(uniform(0, 50)).c_str());
    record.SetAt("Industry", TwoDecimals(population * uniform(0, 1)).c_str());
    record.SetAt("CAP", TwoDecimals(uniform(0, 300)).c_str());
    record.SetAt("MAT", TwoDecimals(chance(0.3) ? 0 : uniform(0, 2000)).c_str());
    record.SetAt("Production", productions[random() % 5]);

    auto document = std::make_unique<CZentharoDoc>(record);
    document->m_bAutoDelete = false;
    document->OnNewDocument();
    if (inputs) {
        for (int row = 0; row < kProjectedTurns; ++row) {
            if (chance(0.08))
                document->m_colIn[row] = TwoDecimals(uniform(0, 200)).c_str();
            if (chance(0.08))
                document->m_capIn[row] = TwoDecimals(uniform(0, 300)).c_str();
            if (chance(0.05))
                document->m_matIn[row] = TwoDecimals(uniform(0, 500)).c_str();
            if (chance(0.03))
                document->m_bombing[row] = TwoDecimals(uniform(0, 300)).c_str();
            if (chance(0.05))
                document->m_upgrade[row] = TwoDecimals(uniform(0, size)).c_str();
            if (chance(0.1))
                document->m_production[row] = productions[random() % 5];
        }
    }
    document->Recalculate(0);
    return document;
}

} // namespace GeneratedPlanets
