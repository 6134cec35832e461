// The projection as tab-separated text: what the window copies and the tool prints with --tsv.
#include "ProjectionFixtures.h"
#include "model/ProjectionTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + separator.size())
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

TEST(ProjectionTable, IsAHeaderAndTwentyRowsOfEighteenFields) {
    const auto document = OpenedDocument(ExampleRecord());
    for (const std::string lineEnd : {"\r\n", "\n"}) {
        SCOPED_TRACE(lineEnd.size());
        const std::string text = ProjectionTable::TabSeparated(*document, lineEnd);
        const auto lines = Split(text, lineEnd);
        ASSERT_EQ(22u, lines.size());
        EXPECT_EQ("", lines.back()); // the last line is ended too
        EXPECT_EQ("Turn\tCol\tCap\tMat\tBombing\tUpgrade\tPop\tInd\tCol\tCap\tSize\tRes\tMat\tL\tNeed Col\tNeed Cap\t"
                  "Mass\tProduction",
                  lines[0]);
        for (std::size_t line = 0; line < 21; ++line) {
            EXPECT_EQ(18u, Split(lines[line], "\t").size()) << line;
            EXPECT_EQ(std::string::npos, lines[line].find_first_of("\r\n")) << line;
        }
    }
}

TEST(ProjectionTable, ShowsTheRowsAsTheGridDoes) {
    auto document = OpenedDocument(ExampleRecord({{"Production", "mat"}}));
    document->SetInput(&CZentharoDoc::m_colIn, 3, CString("500"));
    document->SetInput(&CZentharoDoc::m_production, 2, CString("Battlecruiser"));
    const auto lines = Split(ProjectionTable::TabSeparated(*document, "\n"), "\n");
    const struct {
        int line;
        const char* begins; // the first fields
        const char* production;
    } rows[] = {
        {1, "40\t\t\t\t\t\t800.00\t400.00\t10.00\t50.00\t1000.00\t2.00\t30.00\t557.50\t", "Materials"},
        {3, "42\t", "Ship"},                      // a ship design shows as Ship
        {4, "43\t500.00\t\t\t\t\t", "Materials"}, // the delivery, formatted; empty inputs stay empty
        {20, "59\t", "Materials"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        const std::string& line = lines[row.line];
        EXPECT_EQ(0u, line.find(row.begins)) << line;
        EXPECT_EQ(row.production, line.substr(line.rfind('\t') + 1));
    }
}

} // namespace
