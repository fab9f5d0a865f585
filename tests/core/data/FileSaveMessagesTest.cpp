#include "data/FileSaveMessages.h"
#include "data/SettingsFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

TEST(FileSaveMessages, NameTheFileAndTheReason) {
    const std::vector<std::pair<int, std::string>> reasons = {
        {ENOSPC, "空き容量不足"},        {EDQUOT, "空き容量不足"},
        {EACCES, "書込み権限なし"},      {EPERM, "書込み権限なし"},
        {EROFS, "読取り専用"},           {ENOENT, "保存先フォルダなし"},
        {ENOTDIR, "保存先フォルダなし"}, {EISDIR, "同じ名前のフォルダあり"},
        {EFBIG, "ファイルサイズ超過"},   {ENAMETOOLONG, "ファイル名が長すぎ"},
        {EIO, "書込み異常 エラー番号5"},
    };
    for (const auto& [error, reason] : reasons) EXPECT_EQ(fileWriteReason({error}), reason) << error;

    const Refusal question = saveFailedQuestion("/media/usb/a.bin", {ENOSPC});
    EXPECT_EQ(question.text, "ファイルを保存出来ませんでした。\n/media/usb/a.bin\n(空き容量不足)\n別の場所に保存しますか？");
    EXPECT_EQ(question.title, "異常終了");
    const Refusal message = fileWriteFailedMessage("/home/u/Ncstep.sys", {EACCES});
    EXPECT_EQ(message.text, "ファイルを保存出来ませんでした。\n/home/u/Ncstep.sys\n(書込み権限なし)");
    EXPECT_EQ(message.title, "異常終了");
}

TEST(SettingsFile, AFailedSaveSaysWhy) {
    const FileWriteResult result = saveSettingsFile(SettingsImage{}, "/nonexistent-folder/a.bin");
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, ENOENT);
}

}  // namespace
}  // namespace vantrel
