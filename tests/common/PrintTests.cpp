// The printed page's layout, in 1/600 inch, and the paper check.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/PowerClass.h"
#include "common/PrintLayout.h"
#include "framework/Ui.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

TEST(PrintLayout, RowsOf84CharactersAndPages) {
    struct Case {
        const char* what;
        std::vector<std::wstring> lines;
        std::vector<std::pair<int, int>> rows;  // (page, y) of each row
        std::vector<size_t> lengths;
    } cases[] = {
        {"200 characters: 84, 84, 32", {std::wstring(200, L'a'), L"next"}, {{0, 200}, {0, 300}, {0, 400}, {0, 500}},
         {84, 84, 32, 4}},
        {"85 characters: 84 and 1", {std::wstring(85, L'b'), L"next"}, {{0, 200}, {0, 300}, {0, 400}}, {84, 1, 4}},
        {"84 characters: one row", {std::wstring(84, L'c'), L"next"}, {{0, 200}, {0, 300}}, {84, 4}},
        {"an empty line leaves a row", {L"one", L"", L"three"}, {{0, 200}, {0, 400}}, {3, 5}},
    };
    for (const Case& c : cases) {
        const auto rows = LayOutPrintLines(c.lines);
        ASSERT_EQ(rows.size(), c.rows.size()) << c.what;
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(std::make_pair(rows[i].page, rows[i].y), c.rows[i]) << c.what << " row " << i;
            EXPECT_EQ(rows[i].x, 200) << c.what;
            EXPECT_EQ(rows[i].text.size(), c.lengths[i]) << c.what << " row " << i;
        }
    }
    // Line 59 starts at y 5800, line 60 past it: a new page from y 0.
    const auto rows = LayOutPrintLines(std::vector<std::wstring>(61, L"x"));
    EXPECT_EQ(std::make_pair(rows[58].page, rows[58].y), std::make_pair(0, 6000));
    EXPECT_EQ(std::make_pair(rows[59].page, rows[59].y), std::make_pair(1, 200));
}

TEST(PrintLines, PaperOtherThanLetterOrA4IsRefused) {
    struct Case {
        std::optional<short> paper;  // nothing: the dialog was cancelled
        bool refused;
    } cases[] = {{std::nullopt, false}, {DMPAPER_LEGAL, true}, {DMPAPER_LETTER, false}, {DMPAPER_A4, false}};
    for (const Case& c : cases) {
        fw::hooks::printDialog = [&]() -> std::optional<fw::PrintChoice> {
            if (!c.paper) return std::nullopt;
            fw::PrintChoice choice{L"No such printer", std::vector<BYTE>(sizeof(DEVMODEW))};
            auto* mode = reinterpret_cast<DEVMODEW*>(choice.devMode.data());
            mode->dmSize = sizeof(DEVMODEW);
            mode->dmFields = DM_PAPERSIZE;
            mode->dmPaperSize = *c.paper;
            return choice;
        };
        MessageBoxRecorder boxes;
        PowerClass power;
        power.PrintLineList = {L"line"};
        EXPECT_FALSE(power.PrintLines());  // there is no such printer to print on
        ASSERT_EQ(boxes.asked.size(), c.refused ? 1u : 0u);
        if (c.refused) {
            EXPECT_EQ(boxes.asked[0].text, L"The paper format you selected is not supported!");
            EXPECT_EQ(boxes.asked[0].caption, L"Quorvexsoft Printing Error");
        }
        EXPECT_EQ(power.PrintLineList, std::vector<std::wstring>{L"line"});
    }
    fw::hooks::printDialog = nullptr;
}
