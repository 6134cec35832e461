// Argument handling and the projection pass of the command-line tool.
#include "ZentharoTool.h"

#include "ChartSvg.h"
#include "PlanetRecordText.h"
#include "ProjectionReport.h"
#include "SamplePlanet.h"
#include "ZentharoVersion.h"
#include "framework/FileText.h"
#include "model/DocumentColumns.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>
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

InputEdit ParseEdit(const std::string& edit) {
    const std::size_t colon = edit.find(':');
    const std::size_t equals = edit.find('=', colon == std::string::npos ? 0 : colon);
    if (colon == std::string::npos || equals == std::string::npos)
        throw UsageError("--set '" + edit + "': expected NAME:ROW=TEXT");
    const std::string name = edit.substr(0, colon);
    const auto column = InputColumnNamed(name);
    if (!column)
        throw UsageError("--set '" + edit + "': unknown input '" + name + "' (use " + InputNames() + ")");
    const std::string rowText = edit.substr(colon + 1, equals - colon - 1);
    int row = -1;
    const auto [end, error] = std::from_chars(rowText.data(), rowText.data() + rowText.size(), row);
    if (rowText.empty() || error != std::errc() || end != rowText.data() + rowText.size() || row < 0 ||
        row >= kProjectedTurns)
        throw UsageError("--set '" + edit + "': row must be a whole number from 0 to 19");
    return {*column, row, CString(edit.substr(equals + 1))};
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

// Writes the chart to path, whole, or throws naming what went wrong.
void WriteChartFile(const CZentharoDoc& document, const std::string& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file)
        ChartSvg::Write(document, file);
    if (file)
        file.close();
    if (!file)
        throw UsageError(path + ": cannot write the chart: " + (errno ? std::strerror(errno) : "write failed"));
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
           "Output: a table of the values as the window shows them; --csv the same as CSV; --tsv the same\n"
           "tab-separated, exactly as the window's Copy table (Ctrl+Shift+C) puts it on the clipboard; --json\n"
           "the raw stored texts of rows 0..20 of every column.\n\n"
           "--svg FILE writes the window's chart (Ctrl+Shift+G) as an SVG picture to FILE, or to the standard\n"
           "output for -. With a FILE, nothing else is printed unless --json, --csv or --tsv asks for it.\n\n"
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
    auto* tsv = app.add_flag("--tsv", "print the shown values tab-separated, as the window's Copy table copies them")
                    ->excludes(json)
                    ->excludes(csv);
    std::string svgPath;
    app.add_option("--svg", svgPath, "write the chart as SVG to FILE (- for the standard output)")
        ->type_name("FILE")
        ->allow_extra_args(false);

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
        std::vector<InputEdit> parsedEdits;
        for (const std::string& edit : edits)
            parsedEdits.push_back(ParseEdit(edit));

        CZentharoDoc document(ReadRecord(recordPath, err));
        document.OnNewDocument();
        document.Recalculate(0);
        for (const InputEdit& edit : parsedEdits)
            document.SetInput(edit.column, edit.row, edit.text);

        if (svgToOutput) {
            ChartSvg::Write(document, out);
            return 0;
        }
        if (app.count("--svg")) {
            WriteChartFile(document, svgPath);
            if (!json->count() && !csv->count() && !tsv->count())
                return 0;
        }
        if (app.count("--json"))
            ProjectionReport::WriteJson(document, out);
        else if (app.count("--csv"))
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
