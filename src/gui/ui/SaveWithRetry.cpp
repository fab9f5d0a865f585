#include "ui/SaveWithRetry.h"

#include <utility>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "data/FileSaveMessages.h"
#include "platform/UserProfile.h"
#include "ui/MessageBox.h"
#include "ui/StatusNote.h"

namespace vantrel::ui {

QString saveWithRetry(QWidget* parent, const std::function<QString()>& choosePath,
                      const std::function<FileWriteResult(const QString& path)>& write) {
    for (;;) {
        const QString path = choosePath();
        if (path.isEmpty()) return {};
        const FileWriteResult result = write(path);
        if (result) {
            showStatusNote(
                QCoreApplication::translate("SaveWithRetry", "保存しました: %1").arg(QFileInfo(path).fileName()));
            return path;
        }
        if (!askYesNo(parent, saveFailedQuestion(QDir::toNativeSeparators(path).toStdString(), result))) return {};
    }
}

QString saveWithRetryFromLastFolder(QWidget* parent,
                                    const std::function<QString(QWidget*, const QString& startFolder)>& dialog,
                                    const std::function<FileWriteResult(const std::string& path)>& write,
                                    const QString& firstPath) {
    const UserProfile profile;
    QString next = firstPath;
    return saveWithRetry(
        parent,
        [&] {
            if (!next.isEmpty()) return std::exchange(next, QString());
            return dialog(parent, QString::fromStdString(profile.dialogStartFolder()));
        },
        [&](const QString& path) {
            profile.setLastFolder(QFileInfo(path).absolutePath().toStdString());
            return write(path.toStdString());
        });
}

bool saveOrGiveUp(QWidget* parent, const Refusal& question, const std::function<bool()>& save) {
    switch (showMessage(parent, question, MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes: return save();
    case MessageAnswer::No: return true;
    default: return false;
    }
}

}  // namespace vantrel::ui
