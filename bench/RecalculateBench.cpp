// What one edit costs: the recalculation, the whole edit as the window does it, and the floor of
// the same arithmetic on plain doubles without any text.
#include "SamplePlanet.h"
#include "model/GridColumns.h"
#include "model/ProductionChooser.h"
#include "tools/PlanetRecordText.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <memory>

namespace {

std::unique_ptr<CZentharoDoc> SampleDocument() {
    auto document = std::make_unique<CZentharoDoc>(PlanetRecordText::Parse(kSamplePlanetRecord));
    document->m_bAutoDelete = false;
    document->Recalculate(0);
    return document;
}

void BM_Recalculate(benchmark::State& state) {
    const auto sample = SampleDocument();
    CZentharoDoc& document = *sample;
    for (auto _ : state) {
        document.Recalculate(0);
        benchmark::DoNotOptimize(document.m_l[19]);
    }
}
BENCHMARK(BM_Recalculate);

// A delivery typed into row 5, then everything the window does after it: recalculate, format the
// 320 numeric cells and pick the 20 chooser entries.
void BM_WholeEdit(benchmark::State& state) {
    const auto sample = SampleDocument();
    CZentharoDoc& document = *sample;
    const CString typed[] = {"500", "250"};
    int edit = 0;
    for (auto _ : state) {
        document.m_colIn[5] = typed[edit++ & 1];
        document.Recalculate(0);
        for (int row = 0; row < kProjectedTurns; ++row) {
            for (int column = 1; column < kGridColumnCount; ++column)
                benchmark::DoNotOptimize(ShownCellText(document, column, row));
            benchmark::DoNotOptimize(ProductionChooser::SelectedPosition(document.m_production[row].View()));
        }
    }
}
BENCHMARK(BM_WholeEdit);

// The same 19 rows on doubles: no texts, no rounding, no formatting. What any implementation must pay.
struct Row {
    double size, res, pop, col, ind, cap, mat, l, needCol, needCap, mass;
};

void Transfer(double& q, double& b, double limit, double rate) {
    if (limit < q) {
        b += (q - limit) / rate;
        q = limit;
    } else if (b != 0) {
        q += b * rate;
        b = 0;
        if (limit < q) {
            b += (q - limit) / rate;
            q = limit;
        }
    }
}

void BM_FloorOnDoubles(benchmark::State& state) {
    std::array<Row, 20> rows{};
    rows[0] = {1000, 2, 800, 10, 400, 50, 30, 0, 0, 0, 0};
    std::array<double, 20> colIn{}, capIn{}, matIn{}, bombing{}, upgrade{};
    colIn[5] = 500;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rows.data());
        for (int r = 1; r < 20; ++r) {
            Row& row = rows[r];
            const Row& prev = rows[r - 1];
            row.pop = prev.pop, row.ind = prev.ind;
            row.col = prev.col + colIn[r - 1], row.cap = prev.cap + capIn[r - 1], row.mat = prev.mat + matIn[r - 1];
            Transfer(row.pop, row.col, prev.size, 8), Transfer(row.ind, row.cap, row.pop, 1);
            for (double* v : {&row.col, &row.pop, &row.cap, &row.ind})
                *v = std::max(0.0, *v - bombing[r]);
            Transfer(row.pop, row.col, prev.size, 8), Transfer(row.ind, row.cap, row.pop, 1);
            rows[r - 1].l = 0.25 * row.pop + 0.75 * row.ind;
            row.size = prev.size, row.res = prev.res;
            const double l = rows[r - 1].l;
            if (upgrade[r - 1] >= l) {
                row.mass = 0;
            } else {
                const double p = l - upgrade[r - 1];
                row.mass = p * 0.1 <= row.mat ? p * 0.1 : (row.mat + prev.res * p) / (10 * prev.res + 1);
                if (p * 0.2 <= row.mat)
                    row.cap += p * 0.2, row.mat -= p * 0.2;
                else
                    row.cap += (row.mat + prev.res * p) / (5 * prev.res + 1), row.mat = 0;
            }
            row.col += 0.01 * row.pop;
            Transfer(row.pop, row.col, row.size, 8), Transfer(row.ind, row.cap, row.pop, 1);
            row.needCol = std::max(0.0, (row.size - row.pop) * 0.125);
            row.needCap = std::max(0.0, row.size - row.ind - row.cap);
        }
        rows[19].l = 0.25 * rows[19].pop + 0.75 * rows[19].ind;
        benchmark::DoNotOptimize(rows[19].l);
    }
}
BENCHMARK(BM_FloorOnDoubles);

} // namespace

BENCHMARK_MAIN();
