#include "ui/SaveWithRetry.h"

#include <QDir>
#include <QFileInfo>

#include "data/FileSaveMessages.h"
#include "platform/UserProfile.h"
#include "ui/MessageBox.h"

namespace vantrel::ui {

QString saveWithRetry(QWidget* parent, const std::function<QString()>& choosePath,
                      const std::function<FileWriteResult(const QString& path)>& write) {
    for (;;) {
        const QString path = choosePath();
        if (path.isEmpty()) return {};
        const FileWriteResult result = write(path);
        if (result) return path;
        if (!askYesNo(parent, saveFailedQuestion(QDir::toNativeSeparators(path).toStdString(), result))) return {};
    }
}

QString saveWithRetryFromLastFolder(QWidget* parent,
                                    const std::function<QString(QWidget*, const QString& startFolder)>& dialog,
                                    const std::function<FileWriteResult(const std::string& path)>& write) {
    const UserProfile profile;
    return saveWithRetry(
        parent, [&] { return dialog(parent, QString::fromStdString(profile.dialogStartFolder())); },
        [&](const QString& path) {
            profile.setLastFolder(QFileInfo(path).absolutePath().toStdString());
            return write(path.toStdString());
        });
}

}  // namespace vantrel::ui
