// Argument handling and the projection pass of the command-line tool.
#include "ZentharoTool.h"

#include "PlanetRecordText.h"
#include "ProjectionReport.h"
#include "SamplePlanet.h"
#include "ZentharoVersion.h"
#include "framework/FileText.h"
#include "model/DocumentColumns.h"
#include "model/PlanText.h"
#include "model/ProductionPlanner.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace {

constexpr int kBadInput = 2;

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One --set: which input, which row, and the text as typed.
struct InputEdit {
    ProjectionColumn CZentharoDoc::*column;
    int row;
    CString text;
};

// The names --set takes, as the user reads them: "Col, Cap, Mat, Bombing, Upgrade or Production".
std::string InputNames() {
    std::vector<std::string_view> names;
    for (const DocumentColumn& column : kDocumentColumns)
        if (column.editable)
            names.push_back(column.header);
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text.append(i == 0 ? "" : i + 1 == names.size() ? " or " : ", ").append(names[i]);
    return text;
}

// A whole number from 0 to last written as nothing else, or nothing.
std::optional<int> ParseRow(const std::string& text, int last) {
    int row = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), row);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || row < 0 || row > last)
        return std::nullopt;
    return row;
}

InputEdit ParseEdit(const std::string& edit) {
    const std::size_t colon = edit.find(':');
    const std::size_t equals = edit.find('=', colon == std::string::npos ? 0 : colon);
    if (colon == std::string::npos || equals == std::string::npos)
        throw UsageError("--set '" + edit + "': expected NAME:ROW=TEXT");
    const std::string name = edit.substr(0, colon);
    const auto column = InputColumnNamed(name);
    if (!column)
        throw UsageError("--set '" + edit + "': unknown input '" + name + "' (use " + InputNames() + ")");
    const auto row = ParseRow(edit.substr(colon + 1, equals - colon - 1), kProjectedTurns - 1);
    if (!row)
        throw UsageError("--set '" + edit + "': row must be a whole number from 0 to 19");
    return {*column, *row, CString(edit.substr(equals + 1))};
}

// What --plan and --plan-from ask for.
struct PlanRequest {
    PlanGoal goal = PlanGoal::Ships;
    int firstRow = 0;
};

PlanRequest ParsePlan(const std::string& goalName, const std::string& firstRowText) {
    const auto goal = PlanGoals::Named(goalName);
    if (!goal)
        throw UsageError("--plan '" + goalName + "': the goal is ships or production");
    const auto firstRow = firstRowText.empty() ? 0 : ParseRow(firstRowText, kLastPlannedRow);
    if (!firstRow)
        throw UsageError("--plan-from '" + firstRowText + "': the first row is a whole number from 0 to 18");
    return {*goal, *firstRow};
}

// Applies the best plan as the window's Yes does: the productions stored at once, one recalculation.
ProductionPlan ApplyBestPlan(CZentharoDoc& document, const PlanRequest& request) {
    const ProductionPlan plan = ProductionPlanner(document, request.goal, request.firstRow).Plan();
    std::vector<CString> productions;
    for (int row = plan.firstRow; row <= kLastPlannedRow; ++row)
        productions.emplace_back(plan.Entry(row));
    document.SetInputs(&CZentharoDoc::m_production, plan.firstRow, productions);
    return plan;
}

bool IsRecordKey(std::string_view key) {
    return std::any_of(std::begin(CZentharoDoc::kRecordKeys), std::end(CZentharoDoc::kRecordKeys),
                       [key](const char* known) { return key == known; });
}

// The record file at path, or the bundled sample without one. A key the projection does not read gets
// a warning on err: a misspelt key would otherwise pass unnoticed, but hosts send keys of their own.
CMapStringToString ReadRecord(const std::string& path, std::ostream& err) {
    if (path.empty())
        return PlanetRecordText::Parse(kSamplePlanetRecord);
    std::string text;
    if (const auto result = FileText::Read(path, text); result != FileText::ReadResult::Read)
        throw UsageError(path + ": cannot read the planet record: " + FileText::Reason(result));
    std::string warnings; // only for a record that parses: bad input gets its one line alone
    try {
        CMapStringToString record = PlanetRecordText::Parse(text, [&](int line, std::string_view key) {
            if (!IsRecordKey(key))
                warnings += path + ":" + std::to_string(line) + ": key '" + FileText::Quote(key) + "' is not read\n";
        });
        err << warnings;
        return record;
    } catch (const PlanetRecordText::ParseError& error) {
        throw UsageError(path + ":" + std::to_string(error.line) + ": " + error.what());
    }
}

std::string Description() {
    return "Projects a planet over 20 turns, as the Zentharo window does.\n\n"
           "RECORD is a planet record file with one Key=Value pair a line (Name, Num, GameName, Turn, Size,\n"
           "Resource, Population, COL, Industry, CAP, MAT, Production). Any other key is ignored with a\n"
           "warning on stderr (FILE:LINE: key 'KEY' is not read). Without RECORD the bundled sample planet\n"
           "is projected.\n\n"
           "Each --set stores TEXT, as typed, into input NAME (Col, Cap, Mat, Bombing, Upgrade or\n"
           "Production) at row 0..19 and recalculates, exactly as leaving a grid cell or picking a\n"
           "production does. Example: --set Col:3=500 --set Production:0=Materials\n\n"
           "--plan ships|production finds the productions of rows --plan-from..18 (default 0) that give\n"
           "the most ship mass (the Mass of every turn after one producing Ship) or the most production (the\n"
           "last turn's L), after the --set edits, as the window's Best plan does. It prints one line, plan:\n"
           "TURNS ENTRY, ...; GOAL VALUE (current VALUE); best (no plan does better) or best found (the\n"
           "search could not prove it), then the output with the plan applied; --json holds it as \"plan\".\n\n"
           "Output: a table of the values as the window shows them; --csv the same as CSV; --tsv the same\n"
           "tab-separated, exactly as the window's Copy table (Ctrl+Shift+C) puts it on the clipboard; --json\n"
           "the raw stored texts of rows 0..20 of every column.\n\n"
           "Exit code 0 on success (warnings included); 2 on bad input (bad options, a RECORD that is not a\n"
           "readable regular file or not Key=Value lines), with one line on stderr and nothing on stdout.";
}

} // namespace

int RunZentharoTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    CLI::App app(Description(), "zentharo");
    app.allow_windows_style_options(false); // "/path/to/record" is a file, not an option
    app.set_version_flag("--version", std::string("zentharo ") + ZENTHARO_VERSION, "print the version and exit");
    std::string recordPath;
    std::vector<std::string> edits;
    app.add_option("RECORD", recordPath, "planet record file (default: the bundled sample planet)");
    app.add_option("--set", edits, "store TEXT into input NAME at row ROW, then recalculate (repeatable)")
        ->type_name("NAME:ROW=TEXT")
        ->allow_extra_args(false);
    auto* json = app.add_flag("--json", "print the raw stored texts as JSON");
    auto* csv = app.add_flag("--csv", "print the shown values as CSV")->excludes(json);
    app.add_flag("--tsv", "print the shown values tab-separated, as the window's Copy table copies them")
        ->excludes(json)
        ->excludes(csv);
    std::string planGoal, planFrom;
    auto* plan = app.add_option("--plan", planGoal, "apply the best plan for the goal, after the --set edits")
                     ->type_name("ships|production");
    app.add_option("--plan-from", planFrom, "plan rows ROW..18 only; the rows before keep their productions")
        ->type_name("ROW")
        ->needs(plan);

    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return 0;
    } catch (const CLI::CallForVersion& version) {
        out << version.what() << '\n';
        return 0;
    } catch (const CLI::ParseError& error) {
        err << "zentharo: " << error.what() << " (see --help)\n";
        return kBadInput;
    }

    try {
        std::vector<InputEdit> parsedEdits;
        for (const std::string& edit : edits)
            parsedEdits.push_back(ParseEdit(edit));
        const bool planning = app.count("--plan") > 0;
        const PlanRequest planRequest = planning ? ParsePlan(planGoal, planFrom) : PlanRequest{};

        CZentharoDoc document(ReadRecord(recordPath, err));
        document.OnNewDocument();
        document.Recalculate(0);
        for (const InputEdit& edit : parsedEdits)
            document.SetInput(edit.column, edit.row, edit.text);
        std::optional<ProductionPlan> bestPlan;
        if (planning)
            bestPlan = ApplyBestPlan(document, planRequest);

        if (app.count("--json")) {
            ProjectionReport::WriteJson(document, out, bestPlan ? &*bestPlan : nullptr);
            return 0;
        }
        if (bestPlan)
            out << PlanText::ToolLine(document, *bestPlan) << '\n';
        if (app.count("--csv"))
            ProjectionReport::WriteCsv(document, out);
        else if (app.count("--tsv"))
            ProjectionReport::WriteTsv(document, out);
        else
            ProjectionReport::WriteTable(document, out);
        return 0;
    } catch (const UsageError& error) {
        err << "zentharo: " << error.what() << '\n';
        return kBadInput;
    } catch (const std::bad_alloc&) {
        err << "zentharo: not enough memory for this projection\n";
        return kBadInput;
    }
}
