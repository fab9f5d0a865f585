#include "data/FileSaveMessages.h"

#include <cerrno>

namespace vantrel {

namespace {
constexpr const char* kFailedTitle = "異常終了";
constexpr const char* kNotSaved = "ファイルを保存出来ませんでした。";

std::string fileAndReason(const std::string& path, const FileWriteResult& result) {
    return std::string(kNotSaved) + "\n" + path + "\n(" + fileWriteReason(result) + ")";
}
}  // namespace

std::string fileWriteReason(const FileWriteResult& result) {
    switch (result.error) {
    case ENOSPC:
#ifdef EDQUOT  // no disk quotas in the Windows C library
    case EDQUOT:
#endif
        return "空き容量不足";
    case EACCES:
    case EPERM: return "書込み権限なし";
    case EROFS: return "読取り専用";
    case ENOENT:
    case ENOTDIR: return "保存先フォルダなし";
    case EISDIR: return "同じ名前のフォルダあり";
    case EFBIG: return "ファイルサイズ超過";
    case ENAMETOOLONG: return "ファイル名が長すぎ";
    default: return "書込み異常 エラー番号" + std::to_string(result.error);
    }
}

Refusal saveFailedQuestion(const std::string& path, const FileWriteResult& result) {
    return {fileAndReason(path, result) + "\n別の場所に保存しますか？", kFailedTitle, MessageIcon::Error};
}

Refusal fileWriteFailedMessage(const std::string& path, const FileWriteResult& result) {
    return {fileAndReason(path, result), kFailedTitle, MessageIcon::Error};
}

}  // namespace vantrel
