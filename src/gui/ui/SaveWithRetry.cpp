#include "ui/SaveWithRetry.h"

#include <QDir>

#include "data/FileSaveMessages.h"
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

}  // namespace vantrel::ui
