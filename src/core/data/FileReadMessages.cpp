#include "data/FileReadMessages.h"

#include <cerrno>

namespace vantrel {

std::string fileReadReason(const FileReadResult& result) {
    switch (result.error) {
    case ENOENT:
    case ENOTDIR: return "ファイルなし";
    case EACCES:
    case EPERM: return "読込み権限なし";
    case EISDIR: return "フォルダ";
    case FileReadResult::kNotRegularFile: return "通常のファイルではない";
    case FileReadResult::kTooShort: return "ファイルサイズ不足";
    case EFBIG: return "ファイルサイズ超過";
    case ENOMEM: return "メモリ不足";
    case ENAMETOOLONG: return "ファイル名が長すぎ";
    default: return "読込み異常 エラー番号" + std::to_string(result.error);
    }
}

Refusal fileReadFailedMessage(const std::string& path, const FileReadResult& result) {
    return {"ファイル読込に失敗しました。\n" + path + "\n(" + fileReadReason(result) + ")", "読込失敗",
            MessageIcon::Error};
}

}  // namespace vantrel
