// The command-line tool's contract: outputs, --set as the window's edits, and clear errors.
#include "tools/ZentharoTool.h"

#include "ZentharoVersion.h"
#include "framework/NumberText.h"
#include "framework/Utf8.h"
#include "model/PlanText.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

ToolRun RunTool(std::vector<std::string> arguments, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int exitCode = RunZentharoTool(arguments, in, out, err);
    return {exitCode, out.str(), err.str()};
}

std::string WriteTempFile(const std::string& name, const std::string& content) {
    const auto path = std::filesystem::temp_directory_path() / ("zentharo_tool_test_" + name);
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

TEST(ZentharoTool, ProjectsTheSamplePlanetAsATable) {
    const ToolRun run = RunTool({});
    ASSERT_EQ(0, run.exitCode) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(23u, lines.size());
    EXPECT_EQ("Zentharo  Terra Nova (#17)   Alpha:40", lines[0]);
    EXPECT_EQ(0u, lines[2].find("Turn"));
    EXPECT_EQ(0u, lines[3].find("  40 ")); // turns right-aligned under their header
    EXPECT_NE(std::string::npos, lines[2].find("Need Cap"));
    EXPECT_EQ(0u, lines[22].find("  59 "));
    EXPECT_NE(std::string::npos, lines[3].find("Capital"));
    EXPECT_TRUE(run.err.empty());
}

TEST(ZentharoTool, EmbeddedSampleMatchesTheShippedFile) {
    const ToolRun embedded = RunTool({"--json"});
    const ToolRun shipped = RunTool({ZENTHARO_SOURCE_DIR "/examples/sample-planet.txt", "--json"});
    ASSERT_EQ(0, shipped.exitCode) << shipped.err;
    EXPECT_EQ(embedded.out, shipped.out);
}

TEST(ZentharoTool, JsonHoldsTheRawTextsOfAllRows) {
    const ToolRun run = RunTool({"--json", "--set", "Col:3=500", "--set", "Mat:2=abc"});
    ASSERT_EQ(0, run.exitCode) << run.err;
    const auto json = nlohmann::ordered_json::parse(run.out);
    EXPECT_EQ("Zentharo  Terra Nova (#17)   Alpha:40", json["title"]);
    const char* names[] = {"turn", "size",  "res", "pop",     "col",     "colIn",      "ind",     "cap",     "capIn",
                           "mat",  "matIn", "l",   "upgrade", "bombing", "production", "needCol", "needCap", "mass"};
    ASSERT_EQ(std::size(names), json["columns"].size());
    std::vector<std::string> keys; // in the order written
    for (const auto& column : json["columns"].items())
        keys.push_back(column.key());
    EXPECT_EQ(std::vector<std::string>(std::begin(names), std::end(names)), keys);
    for (const char* name : names) {
        SCOPED_TRACE(name);
        ASSERT_EQ(21u, json["columns"][name].size());
        EXPECT_EQ("", json["columns"][name][20]);
    }
    EXPECT_EQ("500", json["columns"]["colIn"][3]);
    EXPECT_EQ("abc", json["columns"]["matIn"][2]);
    EXPECT_EQ("1000.00", json["columns"]["size"][0]);
}

TEST(ZentharoTool, SetNamesEachInputByItsHeader) {
    const struct {
        const char* name;
        const char* jsonName;
    } inputs[] = {{"Col", "colIn"},       {"Cap", "capIn"},       {"Mat", "matIn"},
                  {"Bombing", "bombing"}, {"Upgrade", "upgrade"}, {"Production", "production"}};
    for (const auto& input : inputs) {
        SCOPED_TRACE(input.name);
        const ToolRun run = RunTool({"--json", "--set", std::string(input.name) + ":3=7.5"});
        ASSERT_EQ(0, run.exitCode) << run.err;
        const auto columns = nlohmann::json::parse(run.out)["columns"];
        for (const auto& column : columns.items())
            EXPECT_EQ(column.key() == input.jsonName, column.value()[3] == "7.5") << column.key();
    }
}

TEST(ZentharoTool, EachSetRecalculatesBeforeTheNext) {
    // The upgrade is capped to its L by the recalculation after the first --set; the second --set then
    // changes the production and the cap stays at the old L.
    const ToolRun run = RunTool({"--json", "--set", "Upgrade:0=1000", "--set", "Production:0=Materials"});
    ASSERT_EQ(0, run.exitCode) << run.err;
    const auto columns = nlohmann::json::parse(run.out)["columns"];
    EXPECT_EQ(columns["l"][0], columns["upgrade"][0]);
    EXPECT_EQ("Materials", columns["production"][0]);
    EXPECT_EQ("0", columns["mass"][1]);
}

TEST(ZentharoTool, CsvShowsTheWindowsValues) {
    const ToolRun run = RunTool({"--csv", "--set", "Production:1=cap"});
    ASSERT_EQ(0, run.exitCode) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(21u, lines.size());
    EXPECT_EQ("Turn,Col,Cap,Mat,Bombing,Upgrade,Pop,Ind,Col,Cap,Size,Res,Mat,L,Need Col,Need Cap,Mass,Production",
              lines[0]);
    EXPECT_EQ(0u, lines[1].find("40,,,,,,800.00,"));
    EXPECT_EQ("Capital", lines[2].substr(lines[2].rfind(',') + 1));
}

TEST(ZentharoTool, TsvIsTheCsvWithTabs) {
    // The shown values hold no commas, quotes or tabs: the two outputs differ only in the separator.
    const std::vector<std::string> edits = {"--set", "Col:3=500", "--set", "Production:2=_t", "--set", "Upgrade:0=1e5"};
    std::vector<std::string> csvArguments = edits, tsvArguments = edits;
    csvArguments.push_back("--csv");
    tsvArguments.push_back("--tsv");
    const ToolRun csv = RunTool(csvArguments), tsv = RunTool(tsvArguments);
    ASSERT_EQ(0, tsv.exitCode) << tsv.err;
    std::string expected = csv.out;
    std::replace(expected.begin(), expected.end(), ',', '\t');
    EXPECT_EQ(expected, tsv.out);
    EXPECT_EQ(21u, Lines(tsv.out).size());
    EXPECT_EQ(2, RunTool({"--tsv", "--csv"}).exitCode);
    EXPECT_EQ(2, RunTool({"--json", "--tsv"}).exitCode);
}

TEST(ZentharoTool, TableRoundsExactTiesAwayFromZero) {
    // Size 1000 and 999 colonists leave a need of exactly 0.125 colonists in turn 41.
    const std::string path = WriteTempFile("tie.txt", "Name=Tie\nNum=1\nGameName=A\nTurn=40\nSize=1000\nResource=2\n"
                                                      "Population=925\nCOL=0\nIndustry=400\nCAP=50\nMAT=30\n");
    const ToolRun run = RunTool({path, "--csv"});
    ASSERT_EQ(0, run.exitCode) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_LE(3u, lines.size());
    EXPECT_EQ(0u, lines[2].find("41,,,,,,999.00,"));
    EXPECT_NE(std::string::npos, lines[2].find(",0.13,550.00,")) << lines[2]; // Need Col, Need Cap
}

// The plan the tool prints, stored with --set as a user would type it: the line's values are the goal
// worked out from that table, and the table printed after the line is that table.
TEST(ZentharoTool, PlanPrintsItsLineThenTheTableWithThePlanApplied) {
    const struct {
        std::vector<std::string> arguments;
        const char* goal;
        int firstRow;
    } cases[] = {
        {{"--plan", "ships"}, "ships", 0},
        {{"--plan", "production", "--plan-from", "12"}, "production", 12},
        {{"--set", "Col:3=500", "--set", "Production:0=Materials", "--plan", "ships", "--plan-from", "1"}, "ships", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.goal + std::to_string(c.firstRow));
        std::vector<std::string> jsonArguments = c.arguments;
        jsonArguments.push_back("--json");
        const ToolRun planned = RunTool(jsonArguments);
        ASSERT_EQ(0, planned.exitCode) << planned.err;
        const auto plan = nlohmann::json::parse(planned.out)["plan"];
        EXPECT_EQ(c.goal, plan["goal"]);
        EXPECT_EQ(c.firstRow, plan["from"]);
        ASSERT_EQ(19u - c.firstRow, plan["productions"].size());

        // The same edits, then the plan's productions typed in one by one.
        std::vector<std::string> typed(c.arguments.begin(),
                                       std::find(c.arguments.begin(), c.arguments.end(), "--plan"));
        for (std::size_t i = 0; i < plan["productions"].size(); ++i)
            typed.push_back("--set"), typed.push_back("Production:" + std::to_string(c.firstRow + i) + "=" +
                                                      plan["productions"][i].get<std::string>());
        std::vector<std::string> typedJson = typed;
        typedJson.push_back("--json");
        const auto columns = nlohmann::json::parse(RunTool(typedJson).out)["columns"];
        double value = 0;
        if (std::string(c.goal) == "ships") {
            for (int row = c.firstRow + 1; row < 20; ++row)
                if (columns["production"][row - 1] == "Ship")
                    value += NumberText::Read(columns["mass"][row].get<std::string>());
        } else {
            value = NumberText::Read(columns["l"][19].get<std::string>());
        }
        EXPECT_EQ(value, plan["value"].get<double>());

        const ToolRun shown = RunTool(c.arguments);
        const auto lines = Lines(shown.out);
        ASSERT_FALSE(lines.empty());
        const std::string expectedStart =
            "plan: " + plan["runs"].get<std::string>() + "; " + c.goal + " " + PlanText::Number(value) + " (current ";
        EXPECT_EQ(expectedStart, lines[0].substr(0, expectedStart.size()));
        const bool best = plan["best"];
        EXPECT_EQ(best ? "; best" : "; best found", lines[0].substr(lines[0].rfind(';')));
        EXPECT_EQ(RunTool(typed).out, shown.out.substr(lines[0].size() + 1));
    }
}

// The current value is the goal for the table before the plan.
TEST(ZentharoTool, PlanSaysWhatTheCurrentPlanIsWorth) {
    const ToolRun run = RunTool({"--set", "Production:17=Ship", "--set", "Production:18=Ship", "--plan", "ships",
                                 "--plan-from", "17", "--json"});
    ASSERT_EQ(0, run.exitCode) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(0, json["plan"]["changedRows"]);
    const auto mass = json["columns"]["mass"];
    EXPECT_EQ(NumberText::Read(mass[18].get<std::string>()) + NumberText::Read(mass[19].get<std::string>()),
              json["plan"]["current"].get<double>());
    EXPECT_EQ(json["plan"]["current"], json["plan"]["value"]);
    EXPECT_TRUE(json["plan"]["best"]);
}

// A design's name builds and counts as Ship: the same values as the same planet with "Ship", and the
// name kept where the plan builds ships. A planet that can build nothing is left as it is.
TEST(ZentharoTool, PlanCountsShipDesignsAndChangesNothingWhereNothingIsGained) {
    const std::string planet = "Name=P\nNum=1\nGameName=A\nTurn=40\nSize=1000\nResource=2\nPopulation=800\nCOL=10\n"
                               "Industry=400\nCAP=50\nMAT=30\nProduction=";
    const std::string barren = "Name=B\nNum=2\nGameName=A\nTurn=265\nSize=1000\nResource=2\nProduction=";
    const auto planOf = [](const std::string& record, const std::string& goal) {
        const ToolRun run =
            RunTool({WriteTempFile("plan-record.txt", record), "--plan", goal, "--plan-from", "9", "--json"});
        EXPECT_EQ(0, run.exitCode) << run.err;
        return nlohmann::json::parse(run.out)["plan"];
    };
    for (const std::string goal : {"ships", "production"}) {
        SCOPED_TRACE(goal);
        const auto ship = planOf(planet + "Ship\n", goal);
        const auto design = planOf(planet + "Battleship_Mk2\n", goal);
        EXPECT_EQ(ship["current"], design["current"]);
        EXPECT_EQ(ship["value"], design["value"]);
        EXPECT_EQ(ship["runs"], design["runs"]);
        for (std::size_t i = 0; i < ship["productions"].size(); ++i)
            EXPECT_EQ(ship["productions"][i] == "Ship" ? "Battleship_Mk2" : ship["productions"][i],
                      design["productions"][i]);
        for (const char* production : {"Battleship_Mk2", "Capital", "cap"}) {
            const auto nothing = planOf(barren + production + "\n", goal);
            EXPECT_EQ(0, nothing["changedRows"]) << production;
            EXPECT_EQ(std::vector<std::string>(10, production), nothing["productions"].get<std::vector<std::string>>());
        }
    }
}

TEST(ZentharoTool, PlanComesFirstInEveryTextOutput) {
    const ToolRun plain = RunTool({"--plan", "production", "--plan-from", "15"});
    for (const char* format : {"--csv", "--tsv"}) {
        SCOPED_TRACE(format);
        const ToolRun run = RunTool({"--plan", "production", "--plan-from", "15", format});
        ASSERT_EQ(0, run.exitCode) << run.err;
        const auto lines = Lines(run.out);
        ASSERT_EQ(22u, lines.size());
        EXPECT_EQ(Lines(plain.out)[0], lines[0]);
    }
}

TEST(ZentharoTool, ReadsRecordFilesWhateverTheirBytes) {
    const std::string path = WriteTempFile(
        "record.txt",
        "Name=\xCF\xEB\xE0\xED\xE5\xF2\xE0\r\nNum=3\r\n\r\nTurn=2147483647\r\nSize=500\r\nProduction=Frigate\r\n");
    const ToolRun run = RunTool({path, "--json"});
    ASSERT_EQ(0, run.exitCode) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ("2147483666", json["columns"]["turn"][19]);
    EXPECT_EQ("Frigate", json["columns"]["production"][0]);
    // "Планета" in Windows-1251, and in the JSON as UTF-8.
    EXPECT_EQ("Zentharo  \xD0\x9F\xD0\xBB\xD0\xB0\xD0\xBD\xD0\xB5\xD1\x82\xD0\xB0 (#3)   :2147483647", json["title"]);
    const ToolRun table = RunTool({path});
    EXPECT_NE(std::string::npos, Lines(table.out)[3].find("Ship")); // an unknown production shows as Ship
}

// A planet named "Новая Земля" of game "Альфа", producing the ship design "Линкор", its texts in
// whichever encoding the case gives.
std::string CyrillicRecord(const std::string& name, const std::string& game, const std::string& design) {
    return "Name=" + name + "\r\nNum=3\r\nGameName=" + game + "\r\nTurn=40\r\nSize=900\r\nProduction=" + design;
}

TEST(ZentharoTool, KeepsNamesWhicheverEncodingTheRecordIsIn) {
    const std::string name1251 = "\xCD\xEE\xE2\xE0\xFF \xC7\xE5\xEC\xEB\xFF", game1251 = "\xC0\xEB\xFC\xF4\xE0",
                      design1251 = "\xCB\xE8\xED\xEA\xEE\xF0";
    const std::string name = "\xD0\x9D\xD0\xBE\xD0\xB2\xD0\xB0\xD1\x8F \xD0\x97\xD0\xB5\xD0\xBC\xD0\xBB\xD1\x8F",
                      game = "\xD0\x90\xD0\xBB\xD1\x8C\xD1\x84\xD0\xB0",
                      design = "\xD0\x9B\xD0\xB8\xD0\xBD\xD0\xBA\xD0\xBE\xD1\x80";
    const std::string utf8 = CyrillicRecord(name, game, design);
    const struct {
        const char* what;
        std::string record, sameInUtf8;
    } cases[] = {
        {"Windows-1251", CyrillicRecord(name1251, game1251, design1251), utf8},
        {"UTF-8 after a byte order mark", "\xEF\xBB\xBF" + utf8, utf8},
        {"both, a line each", CyrillicRecord(name, game1251, design1251), utf8},
        // 0x98, which the code page leaves unassigned, and a quote and an ampersand the outputs escape
        {"a byte of no letter", CyrillicRecord("\"" + name1251 + "\x98&", game1251, "Ship"),
         CyrillicRecord("\"" + name + "\xC2\x98&", game, "Ship")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = WriteTempFile("encoded.txt", c.record),
                          utf8Path = WriteTempFile("utf8.txt", c.sameInUtf8);
        for (const std::vector<std::string>& output : {std::vector<std::string>{"--json"}, {"--svg", "-"}, {}}) {
            const auto run = [&](std::vector<std::string> arguments) {
                arguments.insert(arguments.end(), output.begin(), output.end());
                return RunTool(arguments);
            };
            const ToolRun encoded = run({path});
            ASSERT_EQ(0, encoded.exitCode) << encoded.err;
            EXPECT_EQ(run({utf8Path}).out, encoded.out);
            EXPECT_TRUE(Utf8::IsValid(encoded.out));
        }
    }
    // The names as they are, where each output shows them.
    const std::string path = WriteTempFile("encoded.txt", cases[0].record);
    const std::string title = "Zentharo  " + name + " (#3)   " + game + ":40";
    const auto json = nlohmann::json::parse(RunTool({path, "--json"}).out);
    EXPECT_EQ(title, json["title"]);
    EXPECT_EQ(design, json["columns"]["production"][0]);
    EXPECT_NE(std::string::npos, RunTool({path, "--svg", "-"}).out.find("<title>Chart " + title + "</title>"));
    EXPECT_EQ(title, Lines(RunTool({path}).out)[0]);
}

TEST(ZentharoTool, TakesATurnWhereverItTakesARow) {
    const std::string block = WriteTempFile("turn-block.tsv", "41\t7\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\tMaterials\n");
    const std::string earlyPlanet = WriteTempFile("early.txt", "Name=Early\nTurn=-3\nSize=100\nPopulation=50\n");
    const struct {
        std::vector<std::string> byTurn, byRow;
    } cases[] = {
        {{"--set", "Col:t43=500"}, {"--set", "Col:3=500"}},
        {{"--set", "Col:t040=500", "--set", "Upgrade:t59=9"}, {"--set", "Col:0=500", "--set", "Upgrade:19=9"}},
        {{"--set", "Production:t45=Materials", "--fill", "Production:t45"},
         {"--set", "Production:5=Materials", "--fill", "Production:5"}},
        {{"--paste", "Turn:t41=" + block}, {"--paste", "Turn:1=" + block}},
        {{"--plan", "production", "--plan-from", "t55"}, {"--plan", "production", "--plan-from", "15"}},
        {{earlyPlanet, "--set", "Col:t-1=500", "--fill", "Col:t-1"},
         {earlyPlanet, "--set", "Col:2=500", "--fill", "Col:2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.byTurn[1]);
        const std::string record = c.byTurn[0][0] == '-' ? "" : c.byTurn[0];
        const auto json = [](std::vector<std::string> arguments) {
            arguments.push_back("--json");
            return RunTool(arguments);
        };
        const ToolRun byTurn = json(c.byTurn);
        ASSERT_EQ(0, byTurn.exitCode) << byTurn.err;
        EXPECT_EQ(json(c.byRow).out, byTurn.out);
        EXPECT_NE(json(record.empty() ? std::vector<std::string>{} : std::vector<std::string>{record}).out,
                  byTurn.out); // the turn named a row, and the edit changed it
    }
}

// A named pipe with no writer: opening it to read would wait for ever.
std::string MakeFifo(const std::string& name) {
    const auto path = std::filesystem::temp_directory_path() / ("zentharo_tool_test_" + name);
    std::filesystem::remove(path);
    EXPECT_EQ(0, ::mkfifo(path.c_str(), 0600));
    return path.string();
}

TEST(ZentharoTool, RejectsBadInputWithOneLineAndNoOutput) {
    const std::string malformed = WriteTempFile("malformed.txt", "Name=X\nSize 100\n");
    // Unknown keys before the fault: their warnings would be lines besides the one error.
    const std::string malformedLater = WriteTempFile("malformed-later.txt", "Popultion=1\nOwner=me\nSize 100\n");
    const std::string unreadKey = WriteTempFile("unread-key.txt", "Popultion=1\nTurn=40\n");
    const std::string directory = std::filesystem::temp_directory_path().string();
    const std::string fifo = MakeFifo("record.fifo");
    const struct {
        std::vector<std::string> arguments;
        const char* mentions;
    } cases[] = {
        {{"/nonexistent/planet.txt"}, "cannot read the planet record: no such file"},
        {{directory}, "cannot read the planet record: it is a directory"},
        {{fifo}, "cannot read the planet record: it is not a regular file"},
        {{malformed}, ":2:"},
        {{malformedLater}, ":3:"},
        {{"--set", "Col3=500"}, "NAME:ROW=TEXT"},
        {{"--set", "Col:3"}, "NAME:ROW=TEXT"},
        {{"--set", "Pop:3=500"}, "unknown input 'Pop' (use Col, Cap, Mat, Bombing, Upgrade or Production)"},
        {{"--set", "col:3=500"}, "unknown input 'col'"},
        {{"--set", "Col:20=5"}, "row 20 is not in the table (rows 0-19, or turns 40-59)"},
        {{"--set", "Col:-1=5"}, "row -1 is not in the table"},
        {{"--set", "Col:x=5"}, "'x' is neither a row nor a turn (rows 0-19, or turns t40-t59)"},
        {{"--set", "Col:=5"}, "'' is neither a row nor a turn"},
        {{"--set", "Col:99999999999=5"}, "row 99999999999 is not in the table"},
        {{"--set", "Col:t63=500"}, "turn 63 is not in the table (turns 40-59, or rows 0-19)"},
        {{"--set", "Col:t39=500"}, "turn 39 is not in the table"},
        {{"--set", "Col:t99999999999999999999=1"}, "turn 99999999999999999999 is not in the table"},
        {{"--set", "Col:T43=5"}, "'T43' is neither a row nor a turn"},
        {{"--set", "Col:t=5"}, "'t' is neither a row nor a turn"},
        {{unreadKey, "--set", "Col:t60=5"}, "turn 60 is not in the table"}, // and no warning besides
        {{unreadKey, "--plan", "ships", "--plan-from", "t59"},
         "turn 59 cannot start a plan (turns 40-58, or rows 0-18)"},
        {{"--json", "--csv"}, "excludes"},
        {{"--bogus"}, "bogus"},
        {{"a.txt", "b.txt"}, "b.txt"},
        {{"--set"}, "set"},
        {{"--fill", "Col"}, "NAME:ROW"},
        {{"--fill", "Pop:3"}, "unknown input 'Pop'"},
        {{"--fill", "Col:3=5"}, "'3=5' is neither a row nor a turn"},
        {{"--fill", "Col:t60"}, "turn 60 is not in the table"},
        {{"--paste", "Col:3"}, "NAME:ROW=FILE"},
        {{"--paste", "Colonists:3=x"}, "unknown column 'Colonists'"},
        {{"--paste", "Turn:t20=" + malformed}, "turn 20 is not in the table"},
        {{"--paste", "Turn:0=/nonexistent/block.tsv"}, "cannot read the block to paste: no such file"},
        {{"--paste", "Turn:0=" + directory}, "it is a directory"},
        {{"--svg", "-", "--csv"}, "cannot go there too"},
        {{"--svg", ""}, "needs a file name"},
        {{"--svg"}, "svg"},
        {{"--svg", "/nonexistent/chart.svg"}, "/nonexistent/chart.svg: cannot write the chart"},
        {{"--svg", directory}, "cannot write the chart"},
        {{"--svg", "-", "--set", "Col:20=5"}, "row 20 is not in the table"},
        {{"--plan", "ship"}, "ships or production"},
        {{"--plan"}, "plan"},
        {{"--plan", "ships", "--plan-from", "19"}, "row 19 cannot start a plan (rows 0-18, or turns 40-58)"},
        {{"--plan", "ships", "--plan-from", "-1"}, "row -1 cannot start a plan"},
        {{"--plan", "ships", "--plan-from", "2x"}, "'2x' is neither a row nor a turn (rows 0-18, or turns t40-t58)"},
        {{"--plan", "ships", "--plan-from", ""}, "'' is neither a row nor a turn"},
        {{"--plan-from", "3"}, "--plan"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        const ToolRun run = RunTool(c.arguments);
        EXPECT_EQ(2, run.exitCode);
        EXPECT_EQ("", run.out);
        EXPECT_EQ(1u, Lines(run.err).size()) << run.err;
        EXPECT_NE(std::string::npos, run.err.find(c.mentions)) << run.err;
    }
}

// Runs the built tool as the unprivileged user "nobody", for whom file permissions count.
ToolRun RunToolAsNobody(const std::string& argument) {
    const std::string out = WriteTempFile("nobody.out", ""), err = WriteTempFile("nobody.err", "");
    const std::string command =
        "setpriv --reuid=65534 --regid=65534 --clear-groups " ZENTHARO_TOOL " '" + argument + "' >" + out + " 2>" + err;
    const int status = std::system(command.c_str());
    auto read = [](const std::string& path) {
        std::ostringstream text;
        text << std::ifstream(path).rdbuf();
        return text.str();
    };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read(out), read(err)};
}

TEST(ZentharoTool, AFileItMayNotReadIsBadInput) {
    const std::string path = WriteTempFile("unreadable.txt", "Name=X\n");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    // Root reads any file: the tool then runs as a user who may not.
    const ToolRun run = ::geteuid() == 0 ? RunToolAsNobody(path) : RunTool({path});
    EXPECT_EQ(2, run.exitCode);
    EXPECT_EQ("", run.out);
    EXPECT_EQ("zentharo: " + path + ": cannot read the planet record: it cannot be read\n", run.err);
}

TEST(ZentharoTool, WarnsOfEachKeyItDoesNotReadAndProjectsTheRest) {
    const std::string longKey(200, 'K');
    const std::string path = WriteTempFile("extra-keys.txt", "Name=Terra Nova\nNum=17\nPopultion=800\n\n"
                                                             "Population=800\nOwner=me\n" +
                                                                 longKey +
                                                                 "=1\n"
                                                                 "population=5\nPopultion=900\n");
    const std::string known = WriteTempFile("known-keys.txt", "Name=Terra Nova\nNum=17\nPopulation=800\n");
    const ToolRun run = RunTool({path});
    ASSERT_EQ(0, run.exitCode) << run.err;
    EXPECT_EQ(RunTool({known}).out, run.out);
    const std::vector<std::string> expected = {
        path + ":3: key 'Popultion' is not read",
        path + ":6: key 'Owner' is not read",
        path + ":7: key '" + longKey.substr(0, 80) + "...' is not read",
        path + ":8: key 'population' is not read",
        path + ":9: key 'Popultion' is not read",
    };
    EXPECT_EQ(expected, Lines(run.err));

    const std::string sample = ZENTHARO_SOURCE_DIR "/examples/sample-planet.txt";
    EXPECT_EQ("", RunTool({sample}).err);
    // Bad input found after the record was read gets its one line alone.
    const ToolRun refused = RunTool({path, "--paste", "Production:0=-"}, "Ships\n");
    EXPECT_EQ(2, refused.exitCode);
    EXPECT_EQ(1u, Lines(refused.err).size()) << refused.err;
}

TEST(ZentharoTool, KeepsTextsAsTypedIncludingSeparators) {
    const ToolRun run = RunTool({"--json", "--set", "Production:4=a:b=c", "--set", "Col:0="});
    ASSERT_EQ(0, run.exitCode) << run.err;
    const auto columns = nlohmann::json::parse(run.out)["columns"];
    EXPECT_EQ("a:b=c", columns["production"][4]);
    EXPECT_EQ("", columns["colIn"][0]);
}

TEST(ZentharoTool, SetFillAndPasteApplyInTheOrderGiven) {
    const std::string block = WriteTempFile("block.tsv", "7\t8\r\n9\r\n");
    const struct {
        std::vector<std::string> arguments;
        std::vector<std::pair<int, const char*>> colIn; // rows of Col and what they hold
    } cases[] = {
        {{"--set", "Col:3=500", "--fill", "Col:3"}, {{2, "0"}, {3, "500"}, {19, "500"}}},
        {{"--fill", "Col:3", "--set", "Col:3=500"}, {{3, "500"}, {4, "0"}, {19, "0"}}},
        {{"--set", "Col:5=1", "--paste", "Col:4=" + block, "--fill", "Col:5"}, {{4, "7"}, {5, "9"}, {19, "9"}}},
        {{"--paste", "Col:4=" + block, "--set", "Col:5=1"}, {{4, "7"}, {5, "1"}, {6, "0"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments[1] + " " + c.arguments[3]);
        std::vector<std::string> arguments = c.arguments;
        arguments.push_back("--json");
        const ToolRun run = RunTool(arguments);
        ASSERT_EQ(0, run.exitCode) << run.err;
        const auto columns = nlohmann::json::parse(run.out)["columns"];
        for (const auto& [row, text] : c.colIn)
            EXPECT_EQ(text, columns["colIn"][row]) << row;
    }
}

TEST(ZentharoTool, FillsWhatTheCellHoldsByteForByte) {
    // The chooser shows Ship for a design's name and the cell nothing below a hundredth: the texts held
    // are copied, not what they show.
    const ToolRun run = RunTool({"--set", "Production:2=Battlecruiser", "--fill", "Production:2", "--set",
                                 "Upgrade:1=0.004", "--fill", "Upgrade:1", "--json"});
    ASSERT_EQ(0, run.exitCode) << run.err;
    const auto columns = nlohmann::json::parse(run.out)["columns"];
    EXPECT_EQ("Capital", columns["production"][1]);
    EXPECT_EQ("Battlecruiser", columns["production"][2]);
    EXPECT_EQ("Battlecruiser", columns["production"][19]);
    EXPECT_EQ("0.004", columns["upgrade"][1]);
    EXPECT_EQ("0.004", columns["upgrade"][19]);
}

// For planets of every kind of production and with texts that show otherwise than they read, the
// table --tsv prints, pasted back at Turn of row 0, leaves every stored text as it was.
TEST(ZentharoTool, ATablePastedBackChangesNoStoredText) {
    for (const char* production : {"Capital", "Materials", "Ship", "_TerraForming", "", "cap", "Battleship_Mk2"}) {
        SCOPED_TRACE(production);
        const std::string record = WriteTempFile("record.txt", std::string("Turn=40\nSize=1000\nResource=2\n"
                                                                           "Population=800\nMAT=30\nProduction=") +
                                                                   production + "\n");
        const std::vector<std::string> edits = {
            record,      "--set", "Col:1=500.004",     "--set", "Cap:2=0.004",     "--set",
            "Mat:3=abc", "--set", "Bombing:4=7 ships", "--set", "Upgrade:5=100000"};
        std::vector<std::string> arguments = edits;
        arguments.push_back("--tsv");
        const std::string table = WriteTempFile("table.tsv", RunTool(arguments).out);
        arguments = edits;
        arguments.push_back("--json");
        const ToolRun before = RunTool(arguments);
        arguments.insert(arguments.end() - 1, {"--paste", "Turn:0=" + table});
        const ToolRun after = RunTool(arguments);
        ASSERT_EQ(0, after.exitCode) << after.err;
        EXPECT_EQ(before.out, after.out);
    }
}

TEST(ZentharoTool, PastesFromStandardInputAndRefusesABadProduction) {
    const ToolRun pasted =
        RunTool({"--paste", "Production:0=-", "--paste", "Production:10=-", "--json"}, "Materials\n\nCapital\n");
    ASSERT_EQ(0, pasted.exitCode) << pasted.err;
    const auto production = nlohmann::json::parse(pasted.out)["columns"]["production"];
    const std::pair<int, const char*> rows[] = {{0, "Materials"},  {1, "Capital"},  {2, "Capital"},
                                                {10, "Materials"}, {11, "Capital"}, {12, "Capital"}};
    for (const auto& [row, text] : rows)
        EXPECT_EQ(text, production[row]) << row; // an empty field keeps the record's Capital

    const ToolRun refused = RunTool({"--set", "Col:0=5", "--paste", "Mass:0=-"}, "1\tMaterials\n2\tShips\n");
    EXPECT_EQ(2, refused.exitCode);
    EXPECT_EQ("", refused.out);
    EXPECT_EQ("zentharo: --paste 'Mass:0=-': the Production of turn 41 (row 1) would be \"Ships\", which is none "
              "of _TerraForming, Capital, Materials or Ship\n",
              refused.err);
}

TEST(ZentharoTool, WritesTheChartToAFileOrTheStandardOutput) {
    const ToolRun toOutput = RunTool({"--svg", "-", "--set", "Production:3=Materials"});
    ASSERT_EQ(0, toOutput.exitCode) << toOutput.err;
    EXPECT_EQ(0u, toOutput.out.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "));
    EXPECT_NE(std::string::npos, toOutput.out.find("<title>Chart Zentharo  Terra Nova (#17)   Alpha:40</title>"));
    // The edit counts: the chart differs from the unedited one.
    EXPECT_TRUE(RunTool({"--svg", "-"}).out != toOutput.out);

    const std::string path = WriteTempFile("chart.svg", "an older picture, longer than nothing at all");
    const ToolRun toFile = RunTool({"--set", "Production:3=Materials", "--svg", path});
    ASSERT_EQ(0, toFile.exitCode) << toFile.err;
    EXPECT_EQ("", toFile.out); // a file named: nothing else is printed unless asked
    std::ostringstream written;
    written << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(toOutput.out, written.str());

    const ToolRun withTable = RunTool({"--svg", path, "--csv"});
    ASSERT_EQ(0, withTable.exitCode) << withTable.err;
    EXPECT_EQ(RunTool({"--csv"}).out, withTable.out);
}

TEST(ZentharoTool, HelpExplainsUsage) {
    const ToolRun run = RunTool({"--help"});
    EXPECT_EQ(0, run.exitCode);
    for (const char* word :
         {"--set", "NAME:ROW=TEXT", "--fill", "NAME:ROW", "--paste", "NAME:ROW=FILE", "--json", "--csv", "--tsv",
          "--svg", "--version", "RECORD", "Upgrade", "Col:t43=500", "UTF-8", "Windows-1251"})
        EXPECT_NE(std::string::npos, run.out.find(word)) << word;
}

TEST(ZentharoTool, VersionIsOneLineWhateverElseIsAsked) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--version"}, std::vector<std::string>{"--tsv", "--version", "x.txt"}}) {
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(0, run.exitCode);
        EXPECT_EQ(std::string("zentharo ") + ZENTHARO_VERSION + "\n", run.out);
        EXPECT_EQ("", run.err);
    }
}

} // namespace
