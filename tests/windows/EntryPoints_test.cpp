// The module driven through its exports by a host: which windows open, show, hide and close.
#include "MessageBoxWatcher.h"
#include "TestHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <set>

namespace {

std::vector<std::string> Titles(const TestHost& host) {
    std::vector<std::string> titles;
    for (const ProjectionWindow& window : host.Projections())
        titles.push_back(window.title);
    return titles;
}

TEST(OnAbout, DescribesTheModuleOverwritingTheHostsValues) {
    TestHost host;
    CMapStringToString record;
    record["Name"] = "host's own";
    record["Other"] = "kept";
    host.plugin.OnAbout(record);
    EXPECT_EQ("Zentharo Plugin", record["Name"]);
    EXPECT_FALSE(record["Author"].IsEmpty());
    EXPECT_EQ("v1.00", record["Version"]);
    EXPECT_EQ("03/07/00", record["Date"]);
    // "Альтернатива плугина раскачки планет" in Windows-1251.
    EXPECT_EQ("\xC0\xEB\xFC\xF2\xE5\xF0\xED\xE0\xF2\xE8\xE2\xE0 \xEF\xEB\xF3\xE3\xE8\xED\xE0 "
              "\xF0\xE0\xF1\xEA\xE0\xF7\xEA\xE8 \xEF\xEB\xE0\xED\xE5\xF2",
              record["Description"]);
    EXPECT_EQ("kept", record["Other"]);
}

TEST(OnInitialize, AnswersWithTheMenuCommandWhateverTheRecordHolds) {
    TestHost host;
    host.plugin.OnLoad();
    for (const char* menuItem : {"", "Old"}) {
        CMapStringToString record;
        if (*menuItem)
            record["MenuItem"] = menuItem;
        record["EventMask"] = "not a number";
        host.plugin.OnInitialize(record);
        EXPECT_EQ("Zentharo", record["MenuItem"]);
    }
}

TEST(OnUserCommand, OpensOneTitledWindowForTheSelectedPlanet) {
    TestHost host;
    host.LoadAndInitialize();
    host.Select(Planet("Alpha", "17"));
    host.Command("Alpha");
    const auto windows = host.Projections();
    ASSERT_EQ(1u, windows.size());
    EXPECT_EQ("Zentharo  Terra (#17)   Alpha:40", windows[0].title);
    EXPECT_TRUE(windows[0].visible);
}

TEST(OnUserCommand, DoesNothingUnlessEverythingIsInPlace) {
    const struct {
        const char* name;
        bool load, select;
        const char *game, *turn, *command;
    } cases[] = {
        {"before OnLoad", false, true, "Alpha", "40", "Zentharo"},
        {"before any planet", true, false, "Alpha", "40", "Zentharo"},
        {"without Turn", true, true, "Alpha", nullptr, "Zentharo"},
        {"without GameName", true, true, nullptr, "40", "Zentharo"},
        {"without Command", true, true, "Alpha", "40", nullptr},
        {"command in another letter case", true, true, "Alpha", "40", "zentharo"},
        {"another command", true, true, "Alpha", "40", "Zentharo "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestHost host;
        if (c.load)
            host.LoadAndInitialize();
        if (c.select)
            host.Select(Planet("Alpha", "17"));
        CMapStringToString record;
        if (c.game)
            record["GameName"] = c.game;
        if (c.turn)
            record["Turn"] = c.turn;
        if (c.command)
            record["Command"] = c.command;
        const int keys = record.GetCount();
        host.plugin.OnUserCommand(record);
        host.Pump();
        EXPECT_TRUE(host.Projections().empty());
        EXPECT_EQ(keys, record.GetCount()); // only looked up, never indexed
    }
}

TEST(OnUserCommand, KeepsOneWindowPerPlanetOfAGame) {
    TestHost host;
    host.LoadAndInitialize();
    host.Select(Planet("Alpha", "17"));
    host.Command("Alpha");
    host.Command("Alpha"); // asked again
    host.Select(Planet("Alpha", "17", "Terra", {{"Turn", "41"}}));
    host.Command("Alpha", "41"); // the host moved on a turn: still the same planet
    EXPECT_EQ(1u, host.Projections().size());

    host.Select(Planet("Beta", "17", "Terra"));
    host.Command("Beta"); // the same number in another game
    host.Select(Planet("Alpha", "18", "Luna"));
    host.Command("Alpha");
    EXPECT_EQ((std::vector<std::string>{"Zentharo  Terra (#17)   Alpha:40", "Zentharo  Terra (#17)   Beta:40",
                                        "Zentharo  Luna (#18)   Alpha:40"}),
              Titles(host));
}

TEST(OnUserCommand, PlanetsWithoutNumberMatchWithinTheirGame) {
    TestHost host;
    host.LoadAndInitialize();
    host.Select(Planet("Alpha", "17", "Nameless", {{"Num", nullptr}}));
    host.Command("Alpha");
    host.Select(Planet("Alpha", "", "Other"));
    host.Command("Alpha"); // an empty number equals a missing one
    host.Select(Planet("Beta", "17", "Nameless", {{"Num", nullptr}}));
    host.Command("Beta");
    EXPECT_EQ((std::vector<std::string>{"Zentharo  Nameless (#)   Alpha:40", "Zentharo  Nameless (#)   Beta:40"}),
              Titles(host));
}

TEST(OnUserCommand, ProjectsThePlanetAsItWasWhenAsked) {
    TestHost host;
    host.LoadAndInitialize();
    CMapStringToString planet = Planet("Alpha", "17");
    host.Select(planet);
    host.Command("Alpha");
    host.Select(Planet("Alpha", "17", "Renamed"));
    host.Select(Planet("Gamma", "3", "Elsewhere"));
    EXPECT_EQ("Zentharo  Terra (#17)   Alpha:40", host.Projections().at(0).title);
}

TEST(OnActivate, ShowsTheActiveGamesWindowsAndHidesTheRest) {
    TestHost host;
    host.LoadAndInitialize();
    for (const char* game : {"Alpha", "Beta", ""}) {
        host.Select(Planet(game, "1"));
        host.Command(game);
    }
    const struct {
        const char* game; // nullptr: a record without GameName
        std::vector<bool> visible;
    } cases[] = {
        {"Beta", {false, true, false}},   {"Alpha", {true, false, false}}, {"Gamma", {false, false, false}},
        {nullptr, {false, false, true}}, // no name matches the game whose name is empty
        {"alpha", {false, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.game ? c.game : "(none)");
        CMapStringToString record;
        if (c.game)
            record["GameName"] = c.game;
        host.plugin.OnActivate(record);
        host.Pump();
        std::vector<bool> visible;
        for (const ProjectionWindow& window : host.Projections())
            visible.push_back(window.visible);
        EXPECT_EQ(c.visible, visible);
        CString value;
        EXPECT_TRUE(record.Lookup("GameName", value)); // indexed: a missing key is added
    }
}

TEST(OnActivate, WithoutWindowsLeavesTheRecordAlone) {
    TestHost host;
    host.LoadAndInitialize();
    CMapStringToString record;
    host.plugin.OnActivate(record);
    EXPECT_TRUE(record.IsEmpty());
}

TEST(OnGamesListModified, DiscardsTheWindowsOfGamesNoLongerListed) {
    const struct {
        const char* name;
        std::vector<std::pair<const char*, const char*>> pairs;
        std::vector<std::string> remaining;
    } cases[] = {
        {"one game listed", {{"Game.1", "Alpha"}}, {"Alpha"}},
        {"key prefix in another case", {{"game.1", "Alpha"}, {"GAME.2", "Beta"}}, {}},
        {"key shorter than the prefix", {{"Game", "Alpha"}, {"Gam", "Beta"}}, {}},
        {"any suffix counts", {{"Game.", "Beta"}, {"Game.xyz", "Alpha"}}, {"Alpha", "Beta"}},
        {"values must match exactly", {{"Game.1", "alpha"}, {"Game.2", "Beta "}}, {}},
        {"empty record", {}, {}},
        {"other keys only", {{"GameName", "Alpha"}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestHost host;
        host.LoadAndInitialize();
        for (const char* game : {"Alpha", "Beta"}) {
            host.Select(Planet(game, "1"));
            host.Command(game);
        }
        CMapStringToString record;
        for (const auto& [key, value] : c.pairs)
            record[key] = value;
        host.plugin.OnGamesListModified(record);
        host.Pump();
        std::vector<std::string> remaining;
        for (const ProjectionWindow& window : host.Projections())
            remaining.push_back(window.title.substr(window.title.rfind(' ') + 1,
                                                    window.title.rfind(':') - window.title.rfind(' ') - 1));
        EXPECT_EQ(c.remaining, remaining);
        EXPECT_EQ(static_cast<int>(c.pairs.size()), record.GetCount());
        // A discarded planet can be projected again: its document is gone too.
        host.Select(Planet("Beta", "1"));
        host.Command("Beta");
        const auto windows = host.Projections();
        EXPECT_EQ(1, std::count_if(windows.begin(), windows.end(), [](const ProjectionWindow& w) {
                      return w.title.find("Beta") != std::string::npos;
                  }));
    }
}

TEST(Frames, CloseFromTheirCloseButton) {
    TestHost host;
    host.LoadAndInitialize();
    host.Select(Planet("Alpha", "1"));
    host.Command("Alpha");
    host.Select(Planet("Alpha", "2"));
    host.Command("Alpha");
    const auto windows = host.Projections();
    ASSERT_EQ(2u, windows.size());
    const HWND view = ::GetWindow(windows[0].frame, GW_CHILD);
    const HWND close = ::GetDlgItem(view, ModuleContract::kCloseCommandId);
    ASSERT_NE(nullptr, close);
    ::SendMessageA(close, BM_CLICK, 0, 0);
    host.Pump();
    ASSERT_EQ(1u, host.Projections().size());
    EXPECT_EQ(windows[1].frame, host.Projections()[0].frame);
    host.Select(Planet("Alpha", "1"));
    host.Command("Alpha"); // its document went with it
    EXPECT_EQ(2u, host.Projections().size());
}

TEST(Module, UnloadsWithWindowsOpen) {
    TestHost host;
    host.LoadAndInitialize();
    host.Select(Planet("Alpha", "1"));
    host.Command("Alpha");
    ASSERT_EQ(1u, host.Projections().size());
    host.plugin.Unload();
    host.Pump();
    EXPECT_TRUE(host.Projections().empty());
    // Loading it again starts afresh.
    ASSERT_TRUE(host.plugin.Load(TestHost::ModulePath()));
    host.LoadAndInitialize();
    host.Select(Planet("Alpha", "1"));
    host.Command("Alpha");
    EXPECT_EQ(1u, host.Projections().size());
}

TEST(Records, CrossTheBoundaryBothWays) {
    // The host fills a record, the module grows it (its own allocations), the host frees it; the
    // module's copy of a selected planet outlives the record it came from.
    TestHost host;
    host.LoadAndInitialize();
    for (int round = 0; round < 200; ++round) {
        auto* record = new CMapStringToString(Planet("Alpha", std::to_string(round).c_str()));
        for (int i = 0; i < 20; ++i)
            (*record)[("Key" + std::to_string(i)).c_str()] = std::string(100 + i, 'x').c_str();
        host.plugin.OnAbout(*record);
        ASSERT_EQ("Zentharo Plugin", (*record)["Name"]);
        ASSERT_EQ("v1.00", (*record)["Version"]);
        ASSERT_EQ(std::string(119, 'x'), (*record)["Key19"].Bytes());
        (*record)["Name"] = "Terra"; // the planet's own name again
        host.plugin.OnPlanetChanged(*record);
        (*record)["Description"] += " and a longer text the host appends";
        ASSERT_EQ(36 + 35, (*record)["Description"].GetLength());
        delete record;
    }
    host.Command("Alpha");
    const auto windows = host.Projections();
    ASSERT_EQ(1u, windows.size());
    EXPECT_EQ("Zentharo  Terra (#199)   Alpha:40", windows[0].title);
}

// A map of another class library, as it lies in memory: a pointer to its table of virtual functions
// first, then its hash table, its count and its block size.
struct ForeignMap {
    virtual ~ForeignMap() = default;
    void* hashTable = nullptr;
    unsigned hashTableSize = 17;
    int count = 3;
    int blockSize = 10;
};

// Each record entry point called with the address the host hands over: a reference to an object, which
// at the call is a pointer and may be null.
void CallEveryRecordEntry(TestHost& host, void* record) {
    for (PluginLibrary::RecordEntry entry :
         {host.plugin.OnInitialize, host.plugin.OnPlanetChanged, host.plugin.OnUserCommand, host.plugin.OnActivate,
          host.plugin.OnGamesListModified, host.plugin.OnAbout})
        reinterpret_cast<void (*)(void*)>(reinterpret_cast<void (*)()>(entry))(record);
}

TEST(Records, OfAnotherTypeOrNullAreRefusedAndTheUserIsToldOnce) {
    ForeignMap foreign;
    char before[sizeof foreign];
    std::memcpy(before, &foreign, sizeof foreign);
    const struct {
        const char* name;
        void* record;
    } cases[] = {
        {"a map of another class library", &foreign},
        {"a null reference", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestHost host;
        host.LoadAndInitialize();
        host.Select(Planet("Alpha", "17"));
        MessageBoxWatcher boxes;
        for (int round = 0; round < 2; ++round) {
            CallEveryRecordEntry(host, c.record);
            host.Settle();
        }
        EXPECT_EQ(0, std::memcmp(before, &foreign, sizeof foreign)) << "the foreign record was written";
        ASSERT_EQ(1u, boxes.Shown().size());
        EXPECT_NE(std::string::npos, boxes.Shown()[0].text.find("records that Zentharo cannot read"));
        EXPECT_EQ(host.mainWindow, boxes.Shown()[0].owner);

        // The module's own records still work, and the planet selected before is still selected.
        host.Command("Alpha");
        EXPECT_EQ(1u, host.Projections().size());
    }
}

std::string GameOf(const ProjectionWindow& window) {
    const std::size_t start = window.title.rfind("   ") + 3;
    return window.title.substr(start, window.title.rfind(':') - start);
}

// Thousands of calls in random order: at most one window per planet of a game, the activated game's
// windows shown and the others hidden, only listed games' windows left after a games list, and
// nothing left over at the end.
TEST(EntryPoints, KeepTheirInvariantsOverRandomCalls) {
    TestHost host;
    host.LoadAndInitialize();
    std::mt19937 random(42);
    const char* games[] = {"Alpha", "Beta", "Gamma", ""};
    const char* numbers[] = {"1", "2", "3", "", "17"};
    // Window creation dominates the time: commands and games lists are the rarer calls.
    const int kCalls = std::getenv("ZENTHARO_RANDOM_CALLS") ? std::atoi(std::getenv("ZENTHARO_RANDOM_CALLS")) : 1000;
    int created = 0;
    for (int call = 0; call < kCalls; ++call) {
        SCOPED_TRACE(call);
        const char* game = games[random() % 4];
        const auto action = random() % 100;
        if (action < 50) {
            host.Select(Planet(game, numbers[random() % 5]));
        } else if (action < 54) {
            const std::size_t before = host.Projections().size();
            host.Command(game, "40", random() % 8 ? ModuleContract::kMenuCommand : "Other");
            created += host.Projections().size() > before;
        } else if (action < 74) {
            host.Activate(game);
            for (const ProjectionWindow& window : host.Projections())
                ASSERT_EQ(GameOf(window) == game, window.visible) << window.title;
        } else if (action < 75) {
            std::vector<std::string> listed;
            for (const char* listedGame : games)
                if (random() % 3)
                    listed.push_back(listedGame);
            host.GamesList(listed);
            for (const ProjectionWindow& window : host.Projections())
                ASSERT_NE(listed.end(), std::find(listed.begin(), listed.end(), GameOf(window))) << window.title;
        } else {
            CMapStringToString about;
            host.plugin.OnAbout(about);
        }
        std::set<std::string> titles;
        for (const ProjectionWindow& window : host.Projections())
            ASSERT_TRUE(titles.insert(window.title).second) << "two windows for " << window.title;
    }
    host.GamesList({});
    EXPECT_TRUE(host.Projections().empty());
    EXPECT_EQ(nullptr, ::FindWindowExA(host.mdiClient, nullptr, nullptr, nullptr)); // no empty frame either
    EXPECT_GT(created, 15); // the sequence did open and discard windows many times
    std::printf("%d calls, %d windows created\n", kCalls, created);
}

} // namespace
