#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/program/ProgramTestSupport.h"
#include "data/DefaultImage.h"
#include "data/EditGroup.h"
#include "program/ProgramList.h"
#include "program/StepEditor.h"
#include "settings/CounterModel.h"
#include "settings/DriverSettingModel.h"
#include "settings/IoRogicModel.h"
#include "settings/PointModel.h"
#include "settings/ProhibitAreaModel.h"
#include "settings/RivoPointModel.h"
#include "settings/RivoSettingModel.h"
#include "settings/TimerModel.h"
#include "undo/CellEditName.h"
#include "undo/EditHistory.h"

namespace vantrel {
namespace {

using test::RecordingSink;
using test::setPoint;
using Write = RecordingSink::Write;

// Programs 1 (a LINE to point 301, a MOVE to PT1001, a WAIT, END), 5 (an ARC
// through points 302 and 303) and 100; axis 2 and network driver 3 connected.
constexpr std::string_view kPrograms =
    "\tPROG\t#001\t;main\r\n"
    "L001\tLINE\tA1,A2 P0301 \r\n"
    "\tMOVE\tA1 P1001 \r\n"
    "\tWAIT\tT1\r\n"
    "\tEND\t\r\n"
    "\tPROG\t#005\r\n"
    "\tARC\tA1 P0302 P0303 \r\n"
    "\tEND\t\r\n"
    "\tPROG\t#100\r\n"
    "\tEND\t\r\n";

struct Work {
    explicit Work(EditHistory::Limits limits = {}) : history(image, store, &queues, limits) {
        image = makeDefaultSettingsImage();
        setPoint(image, 0, 300, 1500, 40);
        setPoint(image, 1, 300, -700, 45);
        setPoint(image, 0, 301, 200, 50);
        setPoint(image, 0, 302, 300, 55);
        PulseAxisRecord(image, 1).setModel(1);
        NetworkDriverRecord(image, 2).setModel(2);
        for (int axis = 0; axis < 4; ++axis) {
            image.writePosition(axis, layout::kProhibitedMaxIndex + 2, 900 + axis);
            image.writePosition(axis, layout::kProhibitedMinIndex + 2, -900 - axis);
        }
        EXPECT_TRUE(store.loadText(kPrograms));
        store.scanDirectory();
        store.selectProgram(1);
    }
    bool yes(const Refusal&) { return true; }
    // A cell committed as the settings views commit it: one edit named after the cell.
    void commitCell(SettingsTableModel& model, int row, int column, const std::string& text) {
        EditGroup group(&history, cellEditName(model, row, column));
        EXPECT_FALSE(model.commit(row, column, text));
    }
    CommandEditRecord record(std::uint8_t code) {
        CommandEditRecord r;
        r.code = code;
        return r;
    }

    SettingsImage image;
    ProgramStore store;
    RecordingSink queues;
    EditHistory history;
    StepEditor steps{store, image, &history};
};

// The image offset a queued write stands for.
std::size_t offsetOf(const Write& w) {
    if (w.axisParameter) return *pulseAxisOffsetOfAddress(w.address);
    if (w.address >= address::kFlagWords) return layout::kFlagWords + (w.address - address::kFlagWords);
    if (w.address >= address::kNetwork) return layout::kNetworkCommParams + (w.address - address::kNetwork);
    if (w.address >= address::kPositionBlocks) return w.address - address::kPositionBlocks;
    if (w.address >= address::kCounters) return layout::kCounters + (w.address - address::kCounters);
    return layout::kTimers + (w.address - address::kTimers);
}

// What reaches the controller of a write: its low `size` bytes.
std::uint32_t wireValue(std::int32_t value, int size) {
    return static_cast<std::uint32_t>(value) & (size >= 4 ? 0xFFFFFFFFu : (1u << (8 * size)) - 1);
}

struct EditCase {
    const char* name;  // as the Edit menu names it
    std::function<void(Work&)> edit;
};

const std::vector<EditCase>& editCases() {
    static const std::vector<EditCase> cases = {
        // Steps: each with its points, homing speeds or timer.
        {"追加 直線補間",
         [](Work& w) {
             CommandEditRecord line = w.record(kCodeLine);
             line.point1 = static_cast<std::uint16_t>(w.steps.allocateAutoPoint(0) + 1);
             line.axes[0] = {1, 4200, 30};
             line.axes[1] = {1, -4200, 35};
             w.steps.setSelectedRow(1);
             ASSERT_TRUE(w.steps.storeCommand(line));
         }},
        {"変更 軸移動",
         [](Work& w) {
             ASSERT_TRUE(w.steps.beginEditExisting(1));
             CommandEditRecord move = w.steps.lastEditRecord();
             move.axes[0] = {1, 12345, 70};
             ASSERT_TRUE(w.steps.storeCommand(move));
             w.steps.endEditExisting();
         }},
        {"追加 時間待ち",
         [](Work& w) {
             CommandEditRecord wait = w.record(kCodeWait);
             wait.operand = "T3";
             wait.number = 2;
             wait.value = 250;
             w.steps.setSelectedRow(3);
             ASSERT_TRUE(w.steps.storeCommand(wait));
         }},
        {"追加 原点復帰",
         [](Work& w) {
             CommandEditRecord home = w.record(kCodeHome);
             for (int axis = 0; axis < 4; ++axis) home.axes[static_cast<std::size_t>(axis)] = {1, 0, 10 + axis};
             w.steps.setSelectedRow(0);
             ASSERT_TRUE(w.steps.storeCommand(home));
         }},
        // The IF and the ENDIF the palette adds after it are one edit.
        {"追加 条件分岐(IF/ENDIF)",
         [](Work& w) {
             EditGroup pair(&w.history, "追加 条件分岐(IF/ENDIF)", EditPlace::step(1, 2));
             CommandEditRecord ifThen = w.record(kCodeIfThen);
             ifThen.operand = "IN1=1 THEN";
             w.steps.setSelectedRow(2);
             ASSERT_TRUE(w.steps.storeCommand(ifThen));
             ASSERT_TRUE(w.steps.storeEndIf());
         }},
        {"追加 条件分岐(ELSE)", [](Work& w) { ASSERT_TRUE(w.steps.storeSimpleCommand(kCodeElse)); }},
        {"削除 2 ステップ",
         [&](Work& w) {
             w.steps.setSelectedRow(0);
             ASSERT_TRUE(w.steps.deleteSelectedRows({0, 2}, [&w](const Refusal& q) { return w.yes(q); }));
         }},
        {"ラベル設定",
         [](Work& w) {
             CommandEditRecord label;
             label.label = 42;
             w.steps.setSelectedRow(2);
             ASSERT_TRUE(w.steps.setStepLabel(label));
         }},
        {"ラベル削除",
         [](Work& w) {
             w.steps.setSelectedRow(0);
             ASSERT_TRUE(w.steps.deleteStepLabel());
         }},
        {"コメント入力",
         [](Work& w) {
             w.steps.setSelectedRow(1);
             ASSERT_TRUE(w.steps.setStepComment("to the pallet"));
         }},
        // The LINE pasted gets a new point with the positions of point 301.
        {"貼り付け 2 ステップ",
         [](Work& w) {
             ASSERT_TRUE(w.steps.copySteps({0, 1}));
             ASSERT_TRUE(w.steps.pasteSteps(3));
         }},
        // Program 5 goes with the points of its ARC; program 7 comes.
        {"プログラム一覧",
         [](Work& w) {
             ProgramList list(w.store);
             ASSERT_FALSE(list.remove(1));
             ASSERT_FALSE(list.add("7"));
             ImageEdit edit(w.image, &w.history);
             list.apply(edit);
         }},
        {"プログラム名称", [](Work& w) { ASSERT_FALSE(ProgramList::renameProgram(w.store, "pick")); }},
        // Settings: a cell of each view, and the buttons.
        {"タイマー3 タイマー設定値",
         [](Work& w) {
             TimerModel model(w.image, &w.history);
             w.commitCell(model, 3, 1, "2.50");
         }},
        {"カウンタ2 カウンタ設定値",
         [](Work& w) {
             CounterModel model(w.image, &w.history);
             w.commitCell(model, 2, 1, "77");
         }},
        {"軸2 +LS",
         [](Work& w) {
             IoRogicModel model(w.image, &w.history);
             w.commitCell(model, 2, 2, "A接点");
         }},
        {"PT1002 軸02 位置",
         [](Work& w) {
             PointModel model(w.image, &w.history);
             w.commitCell(model, 6, PointModel::kPositionColumn, "12.5");
         }},
        {"PT002 軸03 運転速度",
         [](Work& w) {
             RivoPointModel model(w.image, &w.history);
             w.commitCell(model, 19, RivoPointModel::kSpeedColumn, "5000");
         }},
        {"軸04 接続機種",
         [](Work& w) {
             RivoSettingModel model(w.image, &w.history);
             w.commitCell(model, 4, 1, "QS");
         }},
        // A change of unit resets the mechanical ratio: five fields at once.
        {"位置制御単位 軸2",
         [](Work& w) {
             DriverSettingModel model(w.image, &w.history);
             w.commitCell(model, DriverSettingModel::kPositionUnitRow, 2, "step");
         }},
        {"軸1最大位置 禁止エリア3",
         [](Work& w) {
             ProhibitAreaModel model(w.image, &w.history, ProhibitAreaModel::Page::ProhibitedAreas);
             w.commitCell(model, 1, 3, "5");
         }},
        {"エリア3クリア",
         [](Work& w) {
             ProhibitAreaModel model(w.image, &w.history, ProhibitAreaModel::Page::ProhibitedAreas);
             ASSERT_TRUE(model.clearArea(3, [&w](const Refusal& q) { return w.yes(q); }));
         }},
        // A change made outside any group is an edit of its own.
        {"変更",
         [](Work& w) {
             RivoSettingModel model(w.image, &w.history);
             model.commitLineField(RivoSettingModel::LineField::Speed, "9600bps");
         }},
    };
    return cases;
}

TEST(EditHistoryTest, EveryKindOfEditIsUndoneAndRedoneByteForByte) {
    for (const EditCase& c : editCases()) {
        SCOPED_TRACE(c.name);
        Work w;
        const SettingsImage imageBefore = w.image;
        const std::string textBefore = w.store.text();
        const std::string programBefore = w.store.renderProgram();
        const auto numbersBefore = w.store.directory().numbers;
        ASSERT_NO_FATAL_FAILURE(c.edit(w));
        ASSERT_EQ(w.history.commandCount(), 1u);
        EXPECT_EQ(w.history.undoName(), c.name);
        EXPECT_EQ(w.history.undoChangesPrograms(), w.store.text() != textBefore);
        const SettingsImage imageAfter = w.image;
        const std::string textAfter = w.store.text();
        const std::vector<Write> done = w.queues.writes;
        EXPECT_TRUE(imageAfter != imageBefore || textAfter != textBefore);

        w.queues.writes.clear();
        ASSERT_TRUE(w.history.undo());
        EXPECT_TRUE(w.image == imageBefore);
        EXPECT_EQ(w.store.text(), textBefore);
        EXPECT_EQ(w.store.renderProgram(), programBefore);
        EXPECT_EQ(w.store.directory().numbers, numbersBefore);
        if (textAfter != textBefore) {
            EXPECT_FALSE(w.store.storeClean());  // undone is not compiled
        }
        // The same addresses, last first, each with the value it held before.
        ASSERT_EQ(w.queues.writes.size(), done.size());
        for (std::size_t i = 0; i < done.size(); ++i) {
            const Write& undone = w.queues.writes[i];
            const Write& original = done[done.size() - 1 - i];
            EXPECT_EQ(undone.address, original.address);
            EXPECT_EQ(undone.size, original.size);
            EXPECT_EQ(undone.axisParameter, original.axisParameter);
            EXPECT_EQ(wireValue(undone.value, undone.size),
                      wireValue(imageBefore.value(offsetOf(undone), undone.size, false), undone.size))
                << "write " << i;
        }
        EXPECT_EQ(w.history.redoName(), c.name);
        EXPECT_EQ(w.history.redoChangesPrograms(), textAfter != textBefore);

        w.queues.writes.clear();
        ASSERT_TRUE(w.history.redo());
        EXPECT_TRUE(w.image == imageAfter);
        EXPECT_EQ(w.store.text(), textAfter);
        ASSERT_EQ(w.queues.writes.size(), done.size());
        for (std::size_t i = 0; i < done.size(); ++i) {
            EXPECT_EQ(w.queues.writes[i].address, done[i].address);
            EXPECT_EQ(wireValue(w.queues.writes[i].value, done[i].size), wireValue(done[i].value, done[i].size));
        }
        EXPECT_TRUE(w.history.canUndo());
        EXPECT_FALSE(w.history.canRedo());
    }
}

// Timer k (1..100) typed in the timer view.
void typeTimer(Work& w, int k, const char* text) {
    TimerModel model(w.image, &w.history);
    w.commitCell(model, k, 1, text);
}

TEST(EditHistoryTest, KeepsItsBoundsAndForgetsWhatNoLongerApplies) {
    {
        SCOPED_TRACE("at most so many commands: the oldest go first");
        Work w({3, EditHistory::Limits{}.bytes});
        for (int k = 1; k <= 5; ++k) typeTimer(w, k, "5.00");
        EXPECT_EQ(w.history.commandCount(), 3u);
        while (w.history.undo()) {
        }
        EXPECT_EQ(TimerTable(w.image).timer(1), 500);  // T2 stays as typed
        EXPECT_EQ(TimerTable(w.image).timer(2), 100);  // T3 is back
    }
    {
        SCOPED_TRACE("at most so many bytes: the oldest go first, and an edit larger than all is not kept");
        Work measure;
        typeTimer(measure, 1, "5.00");
        const std::size_t one = measure.history.recordedBytes();
        Work w({200, 2 * one});
        for (int k = 1; k <= 3; ++k) typeTimer(w, k, "5.00");
        EXPECT_EQ(w.history.commandCount(), 2u);
        EXPECT_EQ(w.history.recordedBytes(), 2 * one);
        Work tiny({200, one - 1});
        typeTimer(tiny, 1, "5.00");
        EXPECT_FALSE(tiny.history.canUndo());
    }
    {
        SCOPED_TRACE("a new edit after an undo ends what could be redone; one that changes nothing is no edit");
        Work w;
        typeTimer(w, 1, "5.00");
        typeTimer(w, 2, "6.00");
        ASSERT_TRUE(w.history.undo());
        typeTimer(w, 3, "7.00");
        EXPECT_FALSE(w.history.canRedo());
        EXPECT_EQ(w.history.commandCount(), 2u);
        typeTimer(w, 3, "7.00");
        EXPECT_EQ(w.history.commandCount(), 2u);
    }
    {
        SCOPED_TRACE("nothing is undone in the middle of an edit");
        Work w;
        typeTimer(w, 1, "5.00");
        EditGroup open(&w.history, "open");
        EXPECT_FALSE(w.history.canUndo());
        EXPECT_FALSE(w.history.undo());
    }
    {
        SCOPED_TRACE("work replaced whole empties the history, and says so when there was something");
        Work w;
        std::vector<EditHistory::Change> told;
        w.history.setListener([&told](EditHistory::Change change) { told.push_back(change); });
        typeTimer(w, 1, "5.00");
        ASSERT_TRUE(w.history.undo());
        ASSERT_TRUE(w.store.loadText(kPrograms));
        EXPECT_FALSE(w.history.canRedo());
        w.history.workReplaced();
        using Change = EditHistory::Change;
        EXPECT_EQ(told, (std::vector<Change>{Change::Recorded, Change::Undone, Change::Cleared}));
    }
}

}  // namespace
}  // namespace vantrel
