// Argument handling and the projection pass of the command-line tool.
#include "ZentharoTool.h"

#include "PlanetRecordText.h"
#include "ProjectionReport.h"
#include "SamplePlanet.h"
#include "ZentharoVersion.h"
#include "model/GridColumns.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

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

InputEdit ParseEdit(const std::string& edit) {
    const std::size_t colon = edit.find(':');
    const std::size_t equals = edit.find('=', colon == std::string::npos ? 0 : colon);
    if (colon == std::string::npos || equals == std::string::npos)
        throw UsageError("--set '" + edit + "': expected NAME:ROW=TEXT");
    const std::string name = edit.substr(0, colon);
    const auto column = InputColumnNamed(name);
    if (!column)
        throw UsageError("--set '" + edit + "': unknown input '" + name +
                         "' (use Col, Cap, Mat, Bombing, Upgrade or Production)");
    const std::string rowText = edit.substr(colon + 1, equals - colon - 1);
    int row = -1;
    const auto [end, error] = std::from_chars(rowText.data(), rowText.data() + rowText.size(), row);
    if (rowText.empty() || error != std::errc() || end != rowText.data() + rowText.size() || row < 0 ||
        row >= kProjectedTurns)
        throw UsageError("--set '" + edit + "': row must be a whole number from 0 to 19");
    return {*column, row, CString(edit.substr(equals + 1))};
}

CMapStringToString ReadRecord(const std::string& path) {
    if (path.empty())
        return PlanetRecordText::Parse(kSamplePlanetRecord);
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw UsageError(path + ": cannot read the planet record");
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad())
        throw UsageError(path + ": cannot read the planet record");
    try {
        return PlanetRecordText::Parse(text.str());
    } catch (const PlanetRecordText::ParseError& error) {
        throw UsageError(path + ":" + std::to_string(error.line) + ": " + error.what());
    }
}

std::string Description() {
    return "Projects a planet over 20 turns, as the Zentharo window does.\n\n"
           "RECORD is a planet record file with one Key=Value pair a line (Name, Num, GameName, Turn, Size,\n"
           "Resource, Population, COL, Industry, CAP, MAT, Production). Without RECORD the bundled sample\n"
           "planet is projected.\n\n"
           "Each --set stores TEXT, as typed, into input NAME (Col, Cap, Mat, Bombing, Upgrade or\n"
           "Production) at row 0..19 and recalculates, exactly as leaving a grid cell or picking a\n"
           "production does. Example: --set Col:3=500 --set Production:0=Materials\n\n"
           "Output: a table of the values as the window shows them; --csv the same as CSV; --tsv the same\n"
           "tab-separated, exactly as the window's Copy table (Ctrl+Shift+C) puts it on the clipboard; --json\n"
           "the raw stored texts of rows 0..20 of every column.";
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

        CZentharoDoc document(ReadRecord(recordPath));
        document.OnNewDocument();
        document.Recalculate(0);
        for (const InputEdit& edit : parsedEdits) {
            (document.*edit.column)[edit.row] = edit.text;
            document.Recalculate(0);
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
    }
}
