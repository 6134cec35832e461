// Creation from a planet record, and the recalculation of the projection turn by turn.
//
// Every quantity lives as text. A computed value is stored at 13 significant digits and read back
// by the next step, copies keep the source text as it is, and a few cells take a fixed text: "0", or
// kMaximumSizeText. The order of the steps below decides the results: do not regroup them.
#include "CZentharoDoc.h"

#include "ClosedTables.h"
#include "DocumentColumns.h"
#include "ProjectionTitle.h"
#include "TableInputs.h"
#include "TurnRules.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <string_view>
#include <utility>

using namespace TurnRules;

namespace {

double Value(const CString& cell) { return cell.Number(); }

// The value of a plain decimal text of digits and one point, as kMaximumSizeText.
constexpr double DecimalTextValue(std::string_view text) {
    double digits = 0, scale = 1;
    bool fraction = false;
    for (char c : text) {
        if (c == '.') {
            fraction = true;
            continue;
        }
        digits = digits * 10 + (c - '0');
        if (fraction)
            scale *= 10;
    }
    return digits / scale;
}
static_assert(DecimalTextValue(kMaximumSizeText) == kMaximumSize);

} // namespace

CZentharoDoc::CZentharoDoc(const CMapStringToString& planetRecord) {
    m_planet.RemoveAll();
    for (const auto& [key, value] : planetRecord)
        m_planet.SetAt(key, value);

    for (ProjectionColumn* column : {&m_turn, &m_colIn, &m_capIn, &m_matIn, &m_upgrade, &m_bombing, &m_production})
        column->SetSize(kProjectionRows);

    const std::int64_t firstTurn = NumberText::ReadInteger(m_planet["Turn"].View());
    for (int i = 0; i < kProjectedTurns; ++i)
        m_turn[i] = NumberText::IntegerToText(firstTurn + i);
    StoreDefaultInputs();

    const std::pair<ProjectionColumn*, const char*> carried[] = {
        {&m_size, "Size"},    {&m_res, "Resource"}, {&m_pop, "Population"}, {&m_col, "COL"},
        {&m_ind, "Industry"}, {&m_cap, "CAP"},      {&m_mat, "MAT"},
    };
    for (const auto& [column, key] : carried) {
        column->SetSize(kProjectionRows);
        (*column)[0] = m_planet[key];
    }

    for (ProjectionColumn* column : {&m_l, &m_needCol, &m_needCap, &m_mass})
        column->SetSize(kProjectionRows);
}

// Whichever way the window closed. Keeping allocates: when memory has run out the inputs go, the
// window closes all the same.
CZentharoDoc::~CZentharoDoc() {
    if (!m_closedTables)
        return;
    try {
        m_closedTables->Keep(*this);
    } catch (const std::bad_alloc&) {
    }
}

bool CZentharoDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return false;
    SetTitle(ProjectionTitle());
    return true;
}

CString CZentharoDoc::ProjectionTitle() {
    const CString& name = m_planet["Name"];
    const CString& num = m_planet["Num"];
    const CString& game = m_planet["GameName"];
    const CString& turn = m_planet["Turn"];
    return ProjectionTitle::ComposeTitle<CString>(name, num, game, turn);
}

// No delivery, bombing or upgrade, and the planet's own production, in every turn.
void CZentharoDoc::StoreDefaultInputs() {
    const CString production = m_planet["Production"];
    for (int i = 0; i < kProjectedTurns; ++i) {
        for (ProjectionColumn CZentharoDoc::*column : kNumberInputs)
            (this->*column)[i] = kNoInput;
        m_production[i] = production;
    }
}

template <typename Change>
void CZentharoDoc::ChangeTable(Change change) {
    SaveTable(); // may fail: nothing has changed yet
    try {
        change();
        Recalculate(0);
    } catch (...) {
        RestoreTable();
        throw;
    }
}

template <typename Change>
void CZentharoDoc::ChangeInputs(EditStep step, Change change) {
    TableInputs before = TableInputs::Of(*this); // may fail: nothing has changed yet
    ChangeTable(change);
    if (!before.Match(*this)) // a change that changed nothing is no step
        m_history.Record(step, std::move(before));
}

void CZentharoDoc::SetInput(ProjectionColumn CZentharoDoc::*column, int row, const CString& text) {
    ChangeInputs(column == &CZentharoDoc::m_production ? EditStep::Production : EditStep::Typing,
                 [&] { (this->*column)[row] = text; });
}

void CZentharoDoc::SetInputs(const std::vector<Input>& inputs, EditStep step) {
    ChangeInputs(step, [&] {
        for (const Input& input : inputs)
            (this->*input.column)[input.row] = input.text;
    });
}

void CZentharoDoc::ClearInputs() {
    ChangeInputs(EditStep::Clear, [&] { StoreDefaultInputs(); });
}

void CZentharoDoc::RestoreInputs(const TableInputs& inputs) {
    ChangeTable([&] { inputs.StoreInto(*this); });
}

bool CZentharoDoc::Undo() { return TakeStep(m_history.NextUndo(), &EditHistory::Undone); }

bool CZentharoDoc::Redo() { return TakeStep(m_history.NextRedo(), &EditHistory::Redone); }

bool CZentharoDoc::TakeStep(const EditHistory::Step* step, void (EditHistory::*taken)(TableInputs) noexcept) {
    if (!step)
        return false;
    TableInputs current = TableInputs::Of(*this); // may fail: nothing has changed yet
    RestoreInputs(step->inputs);
    (m_history.*taken)(std::move(current));
    return true;
}

void CZentharoDoc::OfferClosedTable(TableInputs closed) noexcept {
    m_history.Record(EditStep::Close, std::move(closed));
}

bool CZentharoDoc::HoldsPlayerInputs() const {
    CString production;
    m_planet.Lookup("Production", production);
    for (int i = 0; i < kProjectedTurns; ++i) {
        for (ProjectionColumn CZentharoDoc::*column : kNumberInputs)
            if ((this->*column)[i] != kNoInput)
                return true;
        if (m_production[i] != production)
            return true;
    }
    return false;
}

std::int64_t CZentharoDoc::FirstTurn() const { return NumberText::ReadInteger(m_turn[0].View()); }

void CZentharoDoc::CopyTable(const CZentharoDoc& source) {
    for (const DocumentColumn& column : kDocumentColumns)
        this->*column.member = source.*column.member;
}

void CZentharoDoc::SaveTable() {
    static_assert(kDocumentColumns.size() == kColumnCount);
    // Assigning over the saved columns of the last edit reuses their storage: usually nothing is allocated.
    for (std::size_t i = 0; i < kColumnCount; ++i)
        m_saved[i] = this->*kDocumentColumns[i].member;
}

void CZentharoDoc::RestoreTable() noexcept {
    for (std::size_t i = 0; i < kColumnCount; ++i)
        (this->*kDocumentColumns[i].member).Swap(m_saved[i]);
}

void CZentharoDoc::Store(CString& cell, double value) {
    double readsAs = 0;
    const char* end = NumberText::WriteNumber(value, m_numBuf, readsAs);
    cell.AssignNumber(m_numBuf, end, readsAs);
}

void CZentharoDoc::Transfer(CString& quantity, CString& reserve, CString limit, int rate) {
    for (int pass = 0; pass < 2; ++pass) {
        const double q = Value(quantity);
        const double l = Value(limit);
        if (l < q) {
            Store(reserve, Value(reserve) + (q - l) / rate);
            quantity = limit;
            return;
        }
        const double b = Value(reserve);
        if (b == 0.0)
            return;
        // Fold the reserve into the quantity, then give back once whatever now exceeds the limit.
        Store(quantity, q + b * rate);
        reserve = "0";
    }
}

void CZentharoDoc::Recalculate(int firstRow, int lastRow) {
    if (firstRow < 0 || firstRow >= kProjectedTurns)
        return;
    lastRow = std::min(lastRow, kProjectedTurns - 1);
    for (int r = firstRow + 1; r <= lastRow; ++r)
        BuildRow(r);
    if (lastRow == kProjectedTurns - 1)
        StoreL(kProjectedTurns - 1, kProjectedTurns - 1);
}

void CZentharoDoc::BuildRow(int r) {
    const int p = r - 1;

    m_pop[r] = m_pop[p];
    m_ind[r] = m_ind[p];

    Store(m_col[r], Value(m_col[p]) + Value(m_colIn[p]));
    Store(m_cap[r], Value(m_cap[p]) + Value(m_capIn[p]));
    Store(m_mat[r], Value(m_mat[p]) + Value(m_matIn[p]));

    BalanceStocks(r, m_size[p]);
    ApplyBombing(r);
    BalanceStocks(r, m_size[p]);

    StoreL(p, r);

    m_size[r] = m_size[p];
    m_res[r] = m_res[p];

    ApplyProduction(r);

    Store(m_col[r], Value(m_col[r]) + kColonistGrowth * Value(m_pop[r]));
    BalanceStocks(r, m_size[r]);

    StoreDerived(r);
}

// Population against colonists up to the size, then industry against capital up to the population.
void CZentharoDoc::BalanceStocks(int r, const CString& sizeLimit) {
    Transfer(m_pop[r], m_col[r], sizeLimit, kPopulationPerColonist);
    Transfer(m_ind[r], m_cap[r], m_pop[r], kIndustryPerCapital);
}

void CZentharoDoc::ApplyBombing(int r) {
    const double bombing = Value(m_bombing[r]);
    for (CString* cell : {&m_col[r], &m_pop[r], &m_cap[r], &m_ind[r]})
        SubtractClamped(*cell, bombing);
}

void CZentharoDoc::SubtractClamped(CString& cell, double amount) {
    Store(cell, Value(cell) - amount);
    if (Value(cell) < 0.0)
        cell = "0";
}

// The production of a turn: a quarter of the population plus three quarters of the industry.
void CZentharoDoc::StoreL(int row, int sourceRow) {
    Store(m_l[row], kLPerPopulation * Value(m_pop[sourceRow]) + kLPerIndustry * Value(m_ind[sourceRow]));
}

// The upgrade and the production choice of the previous row act on row r.
void CZentharoDoc::ApplyProduction(int r) {
    const int p = r - 1;
    const double l = Value(m_l[p]);
    const double upgrade = Value(m_upgrade[p]);
    if (upgrade >= l) {
        m_upgrade[p] = m_l[p];
        // Nothing is left to build with; an older mass would mislead.
        Store(m_mass[r], 0.0);
        return;
    }

    const double free = l - upgrade;
    const double materials = Value(m_mat[r]);
    const double resources = Value(m_res[p]);

    if (free * kMassShare <= materials)
        Store(m_mass[r], free * kMassShare);
    else
        Store(m_mass[r], (materials + resources * free) / (kProductionPerMass * resources + 1));

    switch (ProductOf(m_production[p].View())) {
    case Product::Capital:
        if (free * kCapitalShare <= materials) {
            Store(m_cap[r], Value(m_cap[r]) + free * kCapitalShare);
            Store(m_mat[r], Value(m_mat[r]) - free * kCapitalShare);
        } else {
            Store(m_cap[r], Value(m_cap[r]) + (materials + resources * free) / (kProductionPerCapital * resources + 1));
            m_mat[r] = "0";
        }
        break;
    case Product::Materials:
        Store(m_mat[r], Value(m_mat[r]) + resources * free);
        break;
    case Product::TerraForming: {
        const double size = Value(m_size[p]);
        Store(m_res[r], resources * (1 - kTerraformingResourceLoss * free / size));
        Store(m_size[r], size + kTerraformingGrowth * free);
        if (Value(m_size[r]) > kMaximumSize)
            m_size[r] = kMaximumSizeText;
        m_mat[r] = "0";
        break;
    }
    case Product::Ship: // the mass above is all a ship-building turn makes
        break;
    }
}

void CZentharoDoc::StoreDerived(int r) {
    const double size = Value(m_size[r]);
    const double missingPopulation = size - Value(m_pop[r]);
    Store(m_needCol[r], missingPopulation > 0 ? missingPopulation * kColonistsPerMissingPopulation : 0.0);
    const double missingIndustry = size - Value(m_ind[r]) - Value(m_cap[r]);
    Store(m_needCap[r], missingIndustry > 0 ? missingIndustry : 0.0);
}
