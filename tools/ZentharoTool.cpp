// Argument handling and the projection pass of the command-line tool.
#include "ZentharoTool.h"

#include "ChartSvg.h"
#include "PlanetRecordText.h"
#include "ProjectionReport.h"
#include "SamplePlanet.h"
#include "TableRows.h"
#include "ZentharoVersion.h"
#include "framework/Cp1251.h"
#include "framework/FileText.h"
#include "model/DocumentColumns.h"
#include "model/GridColumns.h"
#include "model/GridEdits.h"
#include "model/PlanText.h"
#include "model/ProductionPlanner.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string_view>

namespace {

constexpr int kBadInput = 2;

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One --set, --fill or --paste, applied in command-line order: which column and row, and the text as
// typed (--set), nothing (--fill) or the block (--paste).
struct GridEdit {
    enum class Kind { Set, Fill, Paste } kind;
    std::string argument; // as given, for messages
    int column;           // an index into kDocumentColumns
    int row;
    std::string text;
    std::string rowName; // ROW or tTURN as given: the row is found once the record's turn is known
};

// The names --set and --fill take, as the user reads them: "Col, Cap, Mat, Bombing, Upgrade or Production".
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

// The option, the form of its argument, and whether any column's header may name the cell (a block is
// laid from any cell, as in the window) or only an input's.
struct EditForm {
    const char* option;
    const char* form;
    bool anyColumn;
};

// NAME:ROW, the part of the argument before end; ROW is found later, by FindRows.
void ParseCell(const EditForm& form, const std::string& argument, std::size_t end, GridEdit& edit) {
    const std::string quoted = std::string(form.option) + " '" + argument + "'";
    const std::size_t colon = argument.find(':');
    if (colon == std::string::npos || colon > end)
        throw UsageError(quoted + ": expected " + form.form);
    const std::string name = argument.substr(0, colon);
    const auto column = ColumnNamed(name);
    if (form.anyColumn && !column)
        throw UsageError(quoted + ": unknown column '" + name +
                         "' (use a column's header, such as Turn, Col or Production)");
    if (!form.anyColumn && (!column || !kDocumentColumns[*column].editable))
        throw UsageError(quoted + ": unknown input '" + name + "' (use " + InputNames() + ")");
    edit.argument = argument;
    edit.column = *column;
    edit.rowName = argument.substr(colon + 1, end - colon - 1);
}

// The block of a --paste: the file's bytes, or standard input's for "-" (read once, at the first).
std::string ReadBlock(const std::string& path, std::istream& in, std::optional<std::string>& standardInput) {
    if (path == "-") {
        if (!standardInput)
            standardInput.emplace(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return *standardInput;
    }
    std::string text;
    if (const auto result = FileText::Read(path, text); result != FileText::ReadResult::Read)
        throw UsageError(path + ": cannot read the block to paste: " + FileText::Reason(result));
    return text;
}

GridEdit ParseEdit(GridEdit::Kind kind, const std::string& argument, std::istream& in,
                   std::optional<std::string>& standardInput) {
    static constexpr EditForm kForms[] = {
        {"--set", "NAME:ROW=TEXT", false}, {"--fill", "NAME:ROW", false}, {"--paste", "NAME:ROW=FILE", true}};
    const EditForm& form = kForms[static_cast<int>(kind)];
    GridEdit edit{kind, argument, 0, 0, {}, {}};
    if (kind == GridEdit::Kind::Fill) {
        ParseCell(form, argument, argument.size(), edit);
        return edit;
    }
    const std::size_t colon = argument.find(':');
    const std::size_t equals = colon == std::string::npos ? std::string::npos : argument.find('=', colon);
    if (equals == std::string::npos)
        throw UsageError(std::string(form.option) + " '" + argument + "': expected " + form.form);
    ParseCell(form, argument, equals, edit);
    const std::string value = argument.substr(equals + 1);
    edit.text = kind == GridEdit::Kind::Set ? value : ReadBlock(value, in, standardInput);
    return edit;
}

// Applies one edit as the window applies the same action; a refused block is bad input.
void Apply(const GridEdit& edit, CZentharoDoc& document) {
    const DocumentColumn& column = kDocumentColumns[edit.column];
    switch (edit.kind) {
    case GridEdit::Kind::Set:
        document.SetInput(column.member, edit.row, CString(edit.text));
        break;
    case GridEdit::Kind::Fill:
        GridEdits::FillLaterTurns(document, edit.column, edit.row);
        break;
    case GridEdit::Kind::Paste:
        if (const auto refusal = GridEdits::PasteBlock(document, edit.column, edit.row, edit.text))
            throw UsageError("--paste '" + edit.argument + "': " + GridEdits::Describe(*refusal, document));
        break;
    }
}

// What --plan and --plan-from ask for.
struct PlanRequest {
    PlanGoal goal = PlanGoal::Ships;
    int firstRow = 0;
};

// The goal; the first row is found later, by FindRows.
PlanRequest ParsePlan(const std::string& goalName) {
    const auto goal = PlanGoals::Named(goalName);
    if (!goal)
        throw UsageError("--plan '" + goalName + "': the goal is ships or production");
    return {*goal, 0};
}

// The rows the edits and --plan-from name, as numbers or turns of the document's table.
void FindRows(const CZentharoDoc& document, std::vector<GridEdit>& edits, const std::string* planFrom,
              PlanRequest& planRequest) {
    const TableRows cells(document, kProjectedTurns - 1);
    for (GridEdit& edit : edits) {
        static constexpr const char* kOptions[] = {"--set", "--fill", "--paste"};
        const TableRows::Found found = cells.Find(edit.rowName);
        if (!found.row)
            throw UsageError(std::string(kOptions[static_cast<int>(edit.kind)]) + " '" + edit.argument +
                             "': " + found.problem);
        edit.row = *found.row;
    }
    if (planFrom) {
        const TableRows::Found found = TableRows(document, kLastPlannedRow, "cannot start a plan").Find(*planFrom);
        if (!found.row)
            throw UsageError("--plan-from '" + *planFrom + "': " + found.problem);
        planRequest.firstRow = *found.row;
    }
}

// Applies the best plan as the window's Yes does: the productions stored at once, one recalculation.
ProductionPlan ApplyBestPlan(CZentharoDoc& document, const PlanRequest& request) {
    const ProductionPlan plan = ProductionPlanner(document, request.goal, request.firstRow).Plan();
    document.SetInputs(plan.Inputs(document), EditStep::Plan);
    return plan;
}

bool IsRecordKey(std::string_view key) {
    return std::any_of(std::begin(CZentharoDoc::kRecordKeys), std::end(CZentharoDoc::kRecordKeys),
                       [key](const char* known) { return key == known; });
}

// The record file at path, read as UTF-8 or Windows-1251 line by line, or the bundled sample without
// one. A key the projection does not read gets a line in warnings: a misspelt key would otherwise pass
// unnoticed, but hosts send keys of their own. They are printed once the rest of the input is found
// sound, since bad input gets its one line alone.
CMapStringToString ReadRecord(const std::string& path, std::string& warnings) {
    if (path.empty())
        return PlanetRecordText::Parse(kSamplePlanetRecord);
    std::string text;
    if (const auto result = FileText::Read(path, text); result != FileText::ReadResult::Read)
        throw UsageError(path + ": cannot read the planet record: " + FileText::Reason(result));
    try {
        return PlanetRecordText::Parse(PlanetRecordText::ToUtf8(text), [&](int line, std::string_view key) {
            if (!IsRecordKey(key))
                warnings += path + ":" + std::to_string(line) + ": key '" + FileText::Quote(key) + "' is not read\n";
        });
    } catch (const PlanetRecordText::ParseError& error) {
        throw UsageError(path + ":" + std::to_string(error.line) + ": " + error.what());
    }
}

// Writes the chart to path, whole, or throws naming what went wrong.
void WriteChartFile(const CZentharoDoc& document, const CZentharoDoc* before, const std::string& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file)
        ChartSvg::Write(document, file, before);
    if (file)
        file.close();
    if (!file)
        throw UsageError(path + ": cannot write the chart: " + (errno ? std::strerror(errno) : "write failed"));
}

// Text for people and spreadsheets (the table, CSV, TSV and warnings), held as UTF-8, in the encoding
// of the platform's terminals and clipboard: UTF-8, or on Windows the host's code page, Windows-1251,
// which Copy table puts on the clipboard as CF_TEXT. JSON and SVG are UTF-8 everywhere.
void WriteShown(const std::string& utf8, std::ostream& out, std::ostream& err) {
#ifdef _WIN32
    std::size_t unwritten = 0;
    out << Cp1251::FromUtf8(utf8, unwritten);
    if (unwritten)
        err << "zentharo: " << unwritten << (unwritten == 1 ? " character has" : " characters have")
            << " no Windows-1251 form and " << (unwritten == 1 ? "is" : "are") << " written as '?' (--json keeps "
            << "every character)\n";
#else
    static_cast<void>(err);
    out << utf8;
#endif
}

std::string Description() {
    return "Projects a planet over 20 turns, as the Zentharo window does.\n\n"
           "RECORD is a planet record file with one Key=Value pair a line (Name, Num, GameName, Turn, Size,\n"
           "Resource, Population, COL, Industry, CAP, MAT, Production). Any other key is ignored with a\n"
           "warning on stderr (FILE:LINE: key 'KEY' is not read). Without RECORD the bundled sample planet\n"
           "is projected. A record is read as UTF-8, and each line that is not valid UTF-8 as Windows-1251,\n"
           "the code page of the game's files (a UTF-8 byte order mark is skipped); names are kept exactly.\n\n"
           "Each --set stores TEXT, as typed, into input NAME (Col, Cap, Mat, Bombing, Upgrade or\n"
           "Production) at row ROW and recalculates, exactly as leaving a grid cell or picking a\n"
           "production does. Example: --set Col:3=500 --set Production:0=Materials\n\n"
           "A ROW (of --set, --fill, --paste and --plan-from) is a row number, 0..19, or t and a turn of the\n"
           "table: on a planet at turn 40, --set Col:t43=500 is --set Col:3=500.\n\n"
           "--fill NAME:ROW copies the text input NAME holds at row ROW, byte for byte (every digit typed,\n"
           "a ship design's name), into every later row, as the window's Fill later turns (Ctrl+D).\n\n"
           "--paste NAME:ROW=FILE lays the tab-separated block in FILE ('-': standard input, read once) onto\n"
           "the grid from column NAME (any column's header; Col, Cap and Mat name the inputs) at row ROW, as\n"
           "the window's Paste block (Ctrl+V): each line on the next row, each field on the next column,\n"
           "Production after Mass. Fields on computed columns, beyond row 19 or beyond Production are left\n"
           "out, and so is a first line equal to the --tsv header. A field equal to what its cell or\n"
           "chooser shows leaves the cell's text as it is, so the --tsv output pasted back at Turn:0\n"
           "changes nothing. A Production field must be _TerraForming, Capital, Materials, Ship or empty\n"
           "(the row keeps its production).\n\n"
           "--set, --fill and --paste apply in the order given, each recalculating once.\n\n"
           "--plan ships|production finds the productions of rows --plan-from..18 (default 0) that give\n"
           "the most ship mass (the Mass of every turn after one producing Ship) or the most production (the\n"
           "last turn's L), after the edits, as the window's Best plan does. It prints one line, plan: TURNS\n"
           "ENTRY, ...; GOAL VALUE (current VALUE); best (no plan does better) or best found (the search\n"
           "could not prove it), then the output with the plan applied; --json holds it as \"plan\".\n\n"
           "Output: a table of the values as the window shows them; --csv the same as CSV; --tsv the same\n"
           "tab-separated, exactly as the window's Copy table (Ctrl+Shift+C) puts it on the clipboard; --json\n"
           "the raw stored texts of rows 0..20 of every column. JSON and SVG are UTF-8; the table, CSV and\n"
           "TSV are UTF-8 too, but from zentharo.exe on Windows they are Windows-1251, as Copy table's text.\n\n"
           "--svg FILE writes the window's chart (Ctrl+Shift+G) as an SVG picture to FILE, or to the standard\n"
           "output for -. With a FILE, nothing else is printed unless --json, --csv or --tsv asks for it.\n\n"
           "Exit code 0 on success (warnings included); 2 on bad input (bad options, a ROW outside the table,\n"
           "a RECORD or FILE that is not a readable regular file, a RECORD that is not Key=Value lines, a\n"
           "block with a bad Production field), with one line on stderr and nothing on stdout.";
}

} // namespace

int RunZentharoTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::istringstream noInput;
    return RunZentharoTool(arguments, noInput, out, err);
}

int RunZentharoTool(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err) {
    CLI::App app(Description(), "zentharo");
    app.allow_windows_style_options(false); // "/path/to/record" is a file, not an option
    app.set_version_flag("--version", std::string("zentharo ") + ZENTHARO_VERSION, "print the version and exit");
    std::string recordPath;
    std::vector<std::string> sets, fills, pastes;
    app.add_option("RECORD", recordPath, "planet record file (default: the bundled sample planet)");
    auto* setOption =
        app.add_option("--set", sets,
                       "store TEXT into input NAME at ROW (a row or tTURN), then recalculate (repeatable)")
            ->type_name("NAME:ROW=TEXT")
            ->allow_extra_args(false);
    auto* fillOption =
        app.add_option("--fill", fills, "copy input NAME at row ROW into every later row, then recalculate")
            ->type_name("NAME:ROW")
            ->allow_extra_args(false);
    auto* pasteOption =
        app.add_option("--paste", pastes, "lay the block in FILE onto the grid from column NAME at row ROW")
            ->type_name("NAME:ROW=FILE")
            ->allow_extra_args(false);
    auto* json = app.add_flag("--json", "print the raw stored texts as JSON");
    auto* csv = app.add_flag("--csv", "print the shown values as CSV")->excludes(json);
    auto* tsv = app.add_flag("--tsv", "print the shown values tab-separated, as the window's Copy table copies them")
                    ->excludes(json)
                    ->excludes(csv);
    std::string svgPath;
    app.add_option("--svg", svgPath, "write the chart as SVG to FILE (- for the standard output)")
        ->type_name("FILE")
        ->allow_extra_args(false);
    std::string planGoal, planFrom;
    auto* plan = app.add_option("--plan", planGoal, "apply the best plan for the goal, after the edits")
                     ->type_name("ships|production");
    app.add_option("--plan-from", planFrom,
                   "plan rows ROW..18 only (a row or tTURN); the rows before keep their productions")
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

    const bool svgToOutput = app.count("--svg") && svgPath == "-";
    if (svgToOutput && (json->count() || csv->count() || tsv->count())) {
        err << "zentharo: --svg - writes the chart to the standard output: --json, --csv and --tsv cannot "
               "go there too (see --help)\n";
        return kBadInput;
    }
    if (app.count("--svg") && svgPath.empty()) {
        err << "zentharo: --svg needs a file name, or - for the standard output (see --help)\n";
        return kBadInput;
    }

    try {
        // The edits in command-line order: the parser lists each option every time it takes a value.
        std::vector<GridEdit> edits;
        std::optional<std::string> standardInput;
        std::size_t taken[3] = {};
        const std::pair<CLI::Option*, const std::vector<std::string>*> options[] = {
            {setOption, &sets}, {fillOption, &fills}, {pasteOption, &pastes}};
        for (const CLI::Option* option : app.parse_order())
            for (int kind = 0; kind < 3; ++kind)
                if (option == options[kind].first && taken[kind] < options[kind].second->size())
                    edits.push_back(ParseEdit(static_cast<GridEdit::Kind>(kind), (*options[kind].second)[taken[kind]++],
                                              in, standardInput));

        const bool planning = app.count("--plan") > 0;
        PlanRequest planRequest = planning ? ParsePlan(planGoal) : PlanRequest{};

        std::string warnings;
        CZentharoDoc document(ReadRecord(recordPath, warnings));
        document.OnNewDocument();
        document.Recalculate(0);
        FindRows(document, edits, app.count("--plan-from") ? &planFrom : nullptr, planRequest);
        for (const GridEdit& edit : edits)
            Apply(edit, document);
        std::optional<ProductionPlan> bestPlan;
        // The chart draws the table before the plan beside the plan's, as the window does while it asks.
        CZentharoDoc beforePlan(document.m_planet);
        beforePlan.m_bAutoDelete = false;
        if (planning) {
            beforePlan.CopyTable(document);
            bestPlan = ApplyBestPlan(document, planRequest);
        }
        const CZentharoDoc* before = planning ? &beforePlan : nullptr;
        if (app.count("--svg") && !svgToOutput)
            WriteChartFile(document, before, svgPath);
        // Only a run that succeeds warns: bad input (a refused block, say) gets its one line alone.
        WriteShown(warnings, err, err);

        if (svgToOutput) {
            ChartSvg::Write(document, out, before);
            return 0;
        }
        if (app.count("--json")) {
            ProjectionReport::WriteJson(document, out, bestPlan ? &*bestPlan : nullptr);
            return 0;
        }
        if (bestPlan)
            out << PlanText::ToolLine(document, *bestPlan) << '\n';
        if (app.count("--svg") && !csv->count() && !tsv->count())
            return 0; // the chart went to its file: nothing else was asked for
        std::ostringstream shown;
        if (app.count("--csv"))
            ProjectionReport::WriteCsv(document, shown);
        else if (app.count("--tsv"))
            ProjectionReport::WriteTsv(document, shown);
        else
            ProjectionReport::WriteTable(document, shown);
        WriteShown(shown.str(), out, err);
        return 0;
    } catch (const UsageError& error) {
        err << "zentharo: " << error.what() << '\n';
        return kBadInput;
    } catch (const std::bad_alloc&) {
        err << "zentharo: not enough memory for this projection\n";
        return kBadInput;
    }
}
