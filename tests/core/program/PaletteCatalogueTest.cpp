#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "program/PaletteButton.h"
#include "program/PaletteCatalogue.h"

namespace vantrel {
namespace {

std::tuple<std::string, std::string, std::string> keyOf(const PaletteButton& b) {
    return {std::string(b.page), std::string(b.group), std::string(b.button)};
}

// A double-click opens the editor registered for a palette button: every code
// with an editor must name a button that the palette really has.
TEST(PaletteCatalogueTest, EveryDoubleClickNamesAPaletteEditorButton) {
    for (int code = 0; code < 256; ++code) {
        const auto key = doubleClickButton(code);
        if (!key) continue;
        const auto entry = findPaletteEntry(*key);
        ASSERT_TRUE(entry) << "code " << code << ": " << key->page << " / " << key->group << " / " << key->button;
        EXPECT_EQ(entry->action, PaletteAction::OpenEditor) << "code " << code;
    }
}

TEST(PaletteCatalogueTest, PagesGroupsAndButtons) {
    struct Group {
        int page;
        std::string caption;
        int buttons;
    };
    // Groups in drawing order, with their number of buttons.
    const std::vector<Group> groups = {
        {0, "軸制御", 9}, {0, "軸制御（完了待ちなし）", 5}, {1, "軸制御", 9}, {2, "", 2}, {2, "条件待ち", 2},
        {2, "分岐", 10},  {3, "カウンタ", 4},                {3, "メモリ", 2}, {3, "演算", 2}, {4, "システム", 4},
        {4, "その他", 2},
    };
    std::vector<Group> found;
    for (int page = 0; page < kPalettePageCount; ++page) {
        for (const PaletteEntry& entry : paletteEntries(page)) {
            EXPECT_EQ(entry.key.page, kPalettePageTitles[static_cast<std::size_t>(page)]);
            if (found.empty() || found.back().page != page || found.back().caption != entry.groupCaption)
                found.push_back({page, std::string(entry.groupCaption), 0});
            ++found.back().buttons;
        }
    }
    ASSERT_EQ(found.size(), groups.size());
    for (std::size_t i = 0; i < groups.size(); ++i) {
        EXPECT_EQ(found[i].page, groups[i].page) << i;
        EXPECT_EQ(found[i].caption, groups[i].caption) << i;
        EXPECT_EQ(found[i].buttons, groups[i].buttons) << groups[i].caption;
    }
    EXPECT_TRUE(paletteEntries(5).empty());
}

TEST(PaletteCatalogueTest, ButtonsWithoutEditor) {
    struct Case {
        PaletteButton key;
        PaletteAction action;
        int code;
    };
    const Case cases[] = {
        {{"I/O等", "", "条件分岐(ELSE)"}, PaletteAction::StoreDirectly, kCodeElse},
        {{"その他", "", "RETURN"}, PaletteAction::StoreDirectly, kCodeReturn},
        {{"その他", "", "END"}, PaletteAction::StoreDirectly, kCodeEnd},
        {{"I/O等", "", "LABEL"}, PaletteAction::SetLabel, kCodeEmpty},
        {{"I/O等", "", "LABEL削除"}, PaletteAction::DeleteLabel, kCodeEmpty},
        {{"軸動作(RIVO)", "", "JOG動作"}, PaletteAction::NoEffect, kCodeEmpty},
    };
    for (const Case& c : cases) {
        const auto entry = findPaletteEntry(c.key);
        ASSERT_TRUE(entry) << c.key.button;
        EXPECT_EQ(entry->action, c.action) << c.key.button;
        EXPECT_EQ(entry->code, c.code) << c.key.button;
    }
    const auto ifEndIf = findPaletteEntry({"I/O等", "", "条件分岐(IF/ENDIF)"});
    ASSERT_TRUE(ifEndIf);
    EXPECT_TRUE(ifEndIf->addsEndIf);
}

// Buttons that the pulse page has in both groups are told apart by the group;
// every other key names one button, except the network page's two "軸移動",
// which open the same editor.
TEST(PaletteCatalogueTest, KeysAreUniqueButForTheTwoNetworkMoves) {
    std::set<std::tuple<std::string, std::string, std::string>> keys;
    int duplicates = 0;
    for (int page = 0; page < kPalettePageCount; ++page)
        for (const PaletteEntry& entry : paletteEntries(page))
            if (!keys.insert(keyOf(entry.key)).second) {
                ++duplicates;
                EXPECT_EQ(entry.key.page, "軸動作(RIVO)");
                EXPECT_EQ(entry.key.button, "軸移動");
            }
    EXPECT_EQ(duplicates, 1);
    EXPECT_NE(keyOf(findPaletteEntry({"軸動作(ﾊﾟﾙｽ列)", "軸制御", "軸移動"})->key),
              keyOf(findPaletteEntry({"軸動作(ﾊﾟﾙｽ列)", "軸制御（完了待ちなし）", "軸移動"})->key));
    EXPECT_FALSE(findPaletteEntry({"軸動作(ﾊﾟﾙｽ列)", "", "軸移動"}));
}

}  // namespace
}  // namespace vantrel
