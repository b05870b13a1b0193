#include "varnholt/app/Dpi.h"

#include "resources/varnholt/resource.h"


std::vector<Placement> MainWindowLayout(int w, int h, int dpi) {
    DpiScale s{dpi};
    const int cx = w / 2, cy = h / 2;
    std::vector<Placement> p = {
        {IDC_OPTIONS, cx - s(192), h - s(40), s(182), s(29)},
        {IDC_FIND, cx + s(10), h - s(40), s(182), s(29)},
        {IDC_PATH_LABEL, s(23), h - s(85), s(495), s(13)},
        {IDC_SEARCH_PATH, s(23), h - s(70), w - s(190), s(21)},
        {IDC_BROWSE, w - s(135), h - s(72), s(112), s(24)},
    };
    const int resultButtons[] = {IDC_SAVE_RESULTS, IDC_EDIT_RESULTS, IDC_EXECUTE, IDC_SHOW_FOLDER, IDC_DELETE};
    for (int i = 0; i < 5; ++i) p.push_back({resultButtons[i], s(20 + 120 * i), h - s(130), s(112), s(24)});
    p.push_back({IDC_FOUND_LABEL, s(20), s(15), s(347), s(15)});
    p.push_back({IDC_RESULTS_TREE, s(20), s(35), w - s(40), h - s(175)});
    p.push_back({kProgressWindowSlot, cx - s(181), cy - s(80), s(362), s(161)});
    p.push_back({kWelcomePanelSlot, s(7), s(70), w - s(14), h - s(220)});
    p.push_back({IDC_WELCOME_UPPER_RULE, cx - s(295), s(10), s(536), s(2)});
    const int texts[] = {IDC_WELCOME_TITLE, IDC_WELCOME_TEXT1, IDC_WELCOME_TEXT2, IDC_WELCOME_TEXT3};
    const int ys[] = {30, 75, 110, 155};
    // Each text may use the room down to the next one: in 26 pixels a third line
    // of a longer translation would be cut off.
    const int heights[] = {30, 35, 45, 45};
    for (int i = 0; i < 4; ++i) p.push_back({texts[i], cx - s(310), s(ys[i]), s(590), s(heights[i])});
    p.push_back({IDC_WELCOME_LOWER_RULE, cx - s(280), s(200), s(536), s(2)});
    return p;
}
