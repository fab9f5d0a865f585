#include "app/CSplashWnd.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QPixmap>
#include <QSplashScreen>
#include <QTimer>

#include "platform/AppFolders.h"
#include "platform/FileRead.h"

namespace vantrel {

namespace {
// Far beyond the installed picture; a larger file is no splash picture.
constexpr std::size_t kMaxPictureBytes = 16 * 1024 * 1024;

// Ends the wait at the first key or mouse button anywhere in the program.
class AnyInputFilter : public QObject {
public:
    explicit AnyInputFilter(QEventLoop& loop) : loop_(loop) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress) {
            loop_.quit();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop& loop_;
};
}  // namespace

QString CSplashWnd::picturePath() {
    const QString besideProgram = QString::fromStdString(exeFolderPath("VANTREL.bmp"));
    if (QFileInfo::exists(besideProgram)) return besideProgram;
    if (QFileInfo::exists(QStringLiteral("VANTREL.bmp"))) return QStringLiteral("VANTREL.bmp");
    return {};
}

QPixmap CSplashWnd::picture() {
    QPixmap picture;
    const QString path = picturePath();
    // Through the program's one file read: a FIFO of that name never holds up the start.
    const FileContent file = path.isEmpty() ? FileContent{} : readFile(path.toStdString(), kMaxPictureBytes);
    if (file && !file.bytes.empty())
        picture.loadFromData(reinterpret_cast<const uchar*>(file.bytes.data()), static_cast<uint>(file.bytes.size()));
    if (picture.isNull()) {
        picture = QPixmap(400, 240);
        picture.fill(Qt::white);
    }
    return picture;
}

void CSplashWnd::showAndWait() {
    QElapsedTimer shown;
    shown.start();
    QSplashScreen splash(picture(), Qt::WindowStaysOnTopHint);
    splash.show();
    QEventLoop loop;
    AnyInputFilter filter(loop);
    qApp->installEventFilter(&filter);
    QTimer::singleShot(kShowMilliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    qApp->removeEventFilter(&filter);
    splash.close();
    const int rest = kMainWindowDelayMilliseconds - static_cast<int>(shown.elapsed());
    if (rest > 0) {
        QEventLoop pause;
        QTimer::singleShot(rest, &pause, &QEventLoop::quit);
        pause.exec();
    }
}

}  // namespace vantrel
