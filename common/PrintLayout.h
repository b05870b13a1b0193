#pragma once
// Where printed lines go on the page, in units of 1/600 inch, so that a page
// looks the same whatever the printer's resolution.
#include <string>
#include <vector>

struct PrintedRow {
    int page = 0;  // from 0
    int x = 0;
    int y = 0;
    std::wstring text;
};

constexpr int kPrintUnitsPerInch = 600;

// Rows of at most 84 characters, 100 units apart, from x 200 and y 200; a line
// that starts below 5800 starts a new page.
std::vector<PrintedRow> LayOutPrintLines(const std::vector<std::wstring>& lines);
