#include <algorithm>

#include <gtest/gtest.h>

#include "program/CommandCode.h"
#include "program/PaletteButton.h"

namespace vantrel {
namespace {

TEST(PaletteCatalogue, EveryButtonSitsOnAPageInOneOfItsGroups) {
    const auto pages = palettePages();
    ASSERT_EQ(pages.size(), 5u);
    EXPECT_EQ(pages[0], "軸動作(ﾊﾟﾙｽ列)");
    EXPECT_EQ(pages[4], "その他");
    for (const PaletteEntry& entry : paletteCatalogue()) {
        SCOPED_TRACE(std::string(entry.button.page) + " / " + std::string(entry.button.button));
        EXPECT_NE(std::find(pages.begin(), pages.end(), entry.button.page), pages.end());
        const auto groups = paletteGroups(entry.button.page);
        EXPECT_NE(std::find(groups.begin(), groups.end(), entry.button.group), groups.end());
        const bool opens = entry.action == PaletteAction::OpenEditor;
        EXPECT_EQ(opens, entry.editor != CommandEditorKind::None);
        if (entry.code == kNoStepCode) {
            EXPECT_TRUE(entry.editor == CommandEditorKind::Label || !opens);
        } else {
            EXPECT_NE(commandKeyword(entry.code), "");
        }
    }
    // The network page's second group stays empty.
    for (const PaletteEntry& entry : paletteCatalogue())
        if (entry.button.page == kPageNetworkAxes) {
            EXPECT_EQ(entry.button.group, kGroupAxisControl);
        }
    EXPECT_EQ(paletteGroups(kPageNetworkAxes).size(), 2u);
}

TEST(PaletteCatalogue, DoubleClickReopensWithTheCreatingButton) {
    struct Case {
        int code;
        std::string_view page, group, button;
        int mode;
    };
    const Case cases[] = {
        {kCodeHomeP, kPagePulseAxes, kGroupAxisControlNoWait, "原点復帰", kCodeHomeP},
        {kCodeMovePD, kPagePulseAxes, kGroupAxisControlNoWait, "軸移動", kCodeMovePD},
        {kCodeSav, kPagePulseAxes, kGroupAxisControlNoWait, "励磁ON/OFF", kCodeSav},
        {kCodeSav2, kPageNetworkAxes, kGroupAxisControl, "励磁ON/OFF", kCodeSav2},
        {kCodeMove2, kPageNetworkAxes, kGroupAxisControl, "軸移動", kCodeMove2},
        {kCodeHome2, kPageNetworkAxes, kGroupAxisControl, "原点復帰", kCodeHome2},
        {kCodeJmp, kPageIo, "分岐", "JUMP", kCodeGoto},
        {kCodeIfThen, kPageIo, "分岐", "条件分岐(IF/ENDIF)", kCodeIfThen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const PaletteEntry* entry = doubleClickEntry(c.code);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->button.page, c.page);
        EXPECT_EQ(entry->button.group, c.group);
        EXPECT_EQ(entry->button.button, c.button);
        EXPECT_EQ(doubleClickMode(c.code), c.mode);
    }
    EXPECT_TRUE(addsEndIf(*doubleClickEntry(kCodeIfThen)));
    EXPECT_FALSE(addsEndIf(*doubleClickEntry(kCodeIfGoto)));
    EXPECT_EQ(doubleClickMode(kCodeElse), kNoStepCode);
}

TEST(PaletteCatalogue, ToolTipsNameTheCommandAButtonStores) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"条件CALL", "コマンド: IF … GOSUB"},         {"条件分岐(IF/ENDIF)", "コマンド: IF … THEN / ENDIF"},
        {"RETURN", "コマンド: RET"},                  {"LABEL", "選択したステップにラベルを付けます"},
        {"LABEL削除", "選択したステップのラベルを削除します"}, {"JOG動作", "このボタンにはコマンドがありません"},
    };
    for (const auto& [button, tip] : cases) {
        const auto catalogue = paletteCatalogue();
        const auto entry = std::find_if(catalogue.begin(), catalogue.end(),
                                        [&](const PaletteEntry& e) { return e.button.button == button; });
        ASSERT_NE(entry, catalogue.end()) << button;
        EXPECT_EQ(paletteToolTip(*entry), tip) << button;
    }
    EXPECT_EQ(paletteToolTip(*doubleClickEntry(kCodeMovePD)), "コマンド: MOVEP");  // the no-wait group's 軸移動
}

}  // namespace
}  // namespace vantrel
