#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/WindowPlacement.h"

namespace vantrel {
namespace {

// The main window at the top left at its first size, with the step table and
// its command and operand columns, as the program editor shows them.
constexpr ScreenRect kMain{0, 0, 1102, 585};
constexpr ScreenRect kTable{210, 167, 885, 378};
constexpr ScreenRect kColumns{301, 167, 528, 378};
constexpr ScreenRect kScreen1600{0, 0, 1600, 1000};
constexpr ScreenRect kScreen1366{0, 0, 1366, 768};
constexpr ScreenRect kScreen1024{0, 0, 1024, 768};

ScreenRect moved(ScreenRect r, int dx) { return {r.x + dx, r.y, r.width, r.height}; }

struct Case {
    std::string name;
    ScreenRect screen;
    std::vector<ScreenRect> keepClear;
    int width;
    int height;
    std::optional<ScreenPoint> preferred;  // the palette's: x = 1024 - width, y = 50
    std::vector<ScreenRect> placed = {};
    std::optional<ScreenPoint> remembered = {};
    std::vector<ScreenRect> screens = {};  // the screen alone when empty
    ScreenRect main = kMain;
    // expected
    ScreenRect frame = {};
    std::size_t firstClear = 0;
    bool fitsScreen = true;
};

TEST(WindowPlacement, OwnPlaceCascadeKeepClearAndRememberedPlaces) {
    const std::vector<ScreenRect> ladder{kMain, kTable, kColumns};
    const ScreenPoint palette{1024 - 461, 50};
    const ScreenRect second1366{1600, 0, 1366, 768};
    const std::vector<Case> cases{
        // The palette's own place covers the table: beside the main window.
        {"palette 1600", kScreen1600, ladder, 461, 443, palette, {}, {}, {}, kMain, {1102, 50, 461, 443}, 0},
        // Nothing to cover there: its own place.
        {"palette own place", {0, 0, 1920, 1080}, {{1100, 100, 800, 600}}, 461, 443, palette, {}, {}, {},
         {1100, 100, 800, 600}, {563, 50, 461, 443}, 0},
        // No room beside the main window or the table: beside the command
        // and operand columns, over the comment column.
        {"palette 1366", kScreen1366, ladder, 461, 443, palette, {}, {}, {}, kMain, {829, 50, 461, 443}, 2},
        // The same on a second screen to the right of the first.
        {"palette 1366 second screen", second1366, {moved(kMain, 1600), moved(kTable, 1600), moved(kColumns, 1600)},
         461, 443, ScreenPoint{1600 + 563, 50}, {}, {}, {kScreen1600, second1366}, moved(kMain, 1600),
         {1600 + 829, 50, 461, 443}, 2},
        // A maximised main window on a small screen: as little of the
        // command and operand columns covered as can be.
        {"palette no room", kScreen1024, {{0, 0, 1024, 768}, {210, 167, 800, 550}, {301, 167, 528, 550}}, 461, 443,
         palette, {}, {}, {}, {0, 0, 1024, 768}, {0, 50, 461, 443}, 3},
        // Online windows cascade from the main window, beside it where it fits.
        {"menu below the main window", kScreen1600, ladder, 330, 273, {}, {}, {}, {}, kMain, {24, 585, 330, 273}, 0},
        {"next window one step on", kScreen1600, ladder, 330, 273, {}, {{24, 585, 330, 273}}, {}, {}, kMain,
         {48, 585, 330, 273}, 0},
        {"monitor in one row below", kScreen1600, ladder, 1258, 393, {}, {{24, 585, 330, 273}}, {}, {}, kMain,
         {48, 585, 1258, 393}, 0},
        // Too tall for below the main window: below the table, over the
        // main window's status bar.
        {"below the table", kScreen1600, ladder, 1058, 420, {}, {}, {}, {}, kMain, {24, 545, 1058, 420}, 1},
        {"tall and narrow to the right", kScreen1600, ladder, 476, 976, {}, {}, {}, {}, kMain, {1102, 24, 476, 976}, 0},
        // Fits nowhere beside: covers the least of the columns.
        {"wide window 1600", kScreen1600, ladder, 864, 560, {}, {}, {}, {}, kMain, {736, 24, 864, 560}, 3},
        {"nothing to keep clear", kScreen1600, {}, 330, 273, {}, {}, {}, {}, {100, 100, 800, 600},
         {124, 124, 330, 273}, 0},
        // Larger than the screen: cut to it, at its top left.
        {"larger than the screen", kScreen1366, {}, 2000, 1200, {}, {}, {}, {}, kMain, {0, 0, 1366, 768}, 0, false},
        // A remembered place is used while the title bar can be taken.
        {"remembered", kScreen1600, ladder, 330, 273, {}, {}, ScreenPoint{300, 200}, {}, kMain, {300, 200, 330, 273},
         3},
        {"remembered partly off, moved on", kScreen1600, {}, 330, 273, {}, {}, ScreenPoint{1500, 900}, {}, kMain,
         {1270, 727, 330, 273}, 0},
        {"remembered on the second screen", kScreen1600, {}, 330, 273, {}, {}, ScreenPoint{1700, 100},
         {kScreen1600, second1366}, kMain, {1700, 100, 330, 273}, 0},
        {"remembered screen gone", kScreen1366, {}, 330, 273, {}, {}, ScreenPoint{2000, 100}, {}, kMain,
         {24, 24, 330, 273}, 0},
        {"remembered title above the screen", kScreen1600, {}, 330, 273, {}, {}, ScreenPoint{100, -20}, {}, kMain,
         {24, 24, 330, 273}, 0},
        {"remembered title off the left", kScreen1600, {}, 330, 273, palette, {}, ScreenPoint{-300, 100}, {}, kMain,
         {563, 50, 330, 273}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowPlacementInput input;
        input.screen = c.screen;
        input.screens = c.screens.empty() ? std::vector<ScreenRect>{c.screen} : c.screens;
        input.mainFrame = c.main;
        input.keepClear = c.keepClear;
        input.placed = c.placed;
        input.width = c.width;
        input.height = c.height;
        input.preferred = c.preferred;
        input.remembered = c.remembered;
        const WindowPlacement placement = placeWindow(input);
        EXPECT_EQ(placement.frame, c.frame) << placement.frame.x << "," << placement.frame.y << " "
                                            << placement.frame.width << "x" << placement.frame.height;
        EXPECT_EQ(placement.firstClear, c.firstClear);
        EXPECT_EQ(placement.fitsScreen, c.fitsScreen);
    }
}

}  // namespace
}  // namespace vantrel
