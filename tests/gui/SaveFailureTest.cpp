// A settings file that cannot be saved where the user chose: the main window
// names the file and the reason, the old file stays as it was, and the user
// may choose another place.

#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include <QDir>
#include <QFile>

#include "GuiTestSupport.h"
#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "app/CVAraveApp.h"
#include "data/SettingsFile.h"

using namespace vantrel;

namespace {

// File access of this thread is checked as an ordinary user while this lives.
// Root (as the tests run in CI) may write into any folder; a filesystem user
// id other than 0 takes that power away from this thread alone.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() {
        if (geteuid() != 0) return;
        setfsuid(kNobody);
        switched_ = static_cast<uid_t>(setfsuid(kNobody)) == kNobody;
    }
    ~AsOrdinaryUser() {
        if (geteuid() == 0) setfsuid(0);
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

private:
    static constexpr uid_t kNobody = 65534;
    bool switched_ = false;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SaveFailureTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppState> state_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<test::MessageRecorder> recorder_;
    QTemporaryDir files_;
    QString readOnly_, writable_;
    QStringList chosen_;  // what the save dialog answers, in turn
    int dialogs_ = 0;

private slots:
    void initTestCase() {
        QVERIFY(files_.isValid());
        // Every folder on the way must be open to the ordinary user.
        QFile::setPermissions(files_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                 QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup |
                                                 QFile::ExeGroup);
        readOnly_ = files_.filePath(QStringLiteral("readonly"));
        writable_ = files_.filePath(QStringLiteral("writable"));
        QVERIFY(QDir().mkpath(readOnly_));
        QVERIFY(QDir().mkpath(writable_));
        SettingsImage old;
        old.setU32(1000, 0xA5A5A5A5u);
        QVERIFY(saveSettingsFile(old, (readOnly_ + QStringLiteral("/old.bin")).toStdString()));
        // The file itself may be written: only the folder is closed, so the
        // old file could be replaced only in place, which is never done.
        QVERIFY(chmod((readOnly_ + QStringLiteral("/old.bin")).toLocal8Bit().constData(), 0666) == 0);
        QVERIFY(chmod(readOnly_.toLocal8Bit().constData(), 0555) == 0);
        QVERIFY(chmod(writable_.toLocal8Bit().constData(), 0777) == 0);

        // Is the folder really closed to writing here? Not when the test
        // runs as root without the right to change its file access identity.
        const AsOrdinaryUser ordinary;
        const QByteArray probe = (readOnly_ + QStringLiteral("/probe")).toLocal8Bit();
        const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(probe.constData());
            QSKIP("a folder without write permission cannot be made here (root without CAP_SETUID?)");
        }
        QCOMPARE(errno, EACCES);
    }

    void cleanupTestCase() { chmod(readOnly_.toLocal8Bit().constData(), 0755); }

    void init() {
        recorder_ = std::make_unique<test::MessageRecorder>();
        state_ = std::make_unique<AppState>();
        state_->image.setU32(1000, 0x12345678u);
        frame_ = std::make_unique<CMainFrame>(*state_, makeViewFactory());
        MainFramePrompts prompts;
        prompts.saveSettingsFile = [this](QWidget*, const QString&) {
            ++dialogs_;
            return chosen_.isEmpty() ? QString() : chosen_.takeFirst();
        };
        frame_->setPrompts(prompts);
        dialogs_ = 0;
    }

    void cleanup() {
        frame_.reset();
        state_.reset();
        recorder_.reset();
    }

    void aFolderWithoutWritePermissionIsReportedAndAnotherPlaceMayBeChosen() {
        QFETCH(bool, chooseAnotherPlace);
        const QString old = readOnly_ + QStringLiteral("/old.bin");
        const QString other = writable_ + QStringLiteral("/other.bin");
        QFile::remove(other);
        const QByteArray oldBytes = readAll(old);
        chosen_ = {old, other};
        recorder_->answer = [&](const Refusal&) { return chooseAnotherPlace; };
        state_->image.setU8(2000, 9);
        QVERIFY(state_->unsaved.settingsUnsaved(state_->image));
        {
            const AsOrdinaryUser ordinary;
            frame_->saveSettingsFile();
        }

        QCOMPARE(recorder_->messages.size(), std::size_t(1));
        const Refusal& said = recorder_->messages[0];
        QCOMPARE(QString::fromStdString(said.title), QStringLiteral("異常終了"));
        QCOMPARE(QString::fromStdString(said.text),
                 QStringLiteral("ファイルを保存出来ませんでした。\n") + old +
                     QStringLiteral("\n(書込み権限なし)\n別の場所に保存しますか？"));
        // The old file is as it was, and nothing was left beside it.
        QCOMPARE(readAll(old), oldBytes);
        QCOMPARE(QDir(readOnly_).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("old.bin")});

        QCOMPARE(dialogs_, chooseAnotherPlace ? 2 : 1);
        QCOMPARE(QFile::exists(other), chooseAnotherPlace);
        QCOMPARE(state_->unsaved.settingsUnsaved(state_->image), !chooseAnotherPlace);
        if (chooseAnotherPlace) {
            const QByteArray saved = readAll(other);
            QCOMPARE(saved, QByteArray(reinterpret_cast<const char*>(state_->image.data()),
                                       static_cast<int>(SettingsImage::kSize)));
        }
    }
    void aFolderWithoutWritePermissionIsReportedAndAnotherPlaceMayBeChosen_data() {
        QTest::addColumn<bool>("chooseAnotherPlace");
        QTest::newRow("another place") << true;
        QTest::newRow("give up") << false;
    }
};

VANTREL_GUI_TEST_MAIN(SaveFailureTest)
#include "SaveFailureTest.moc"
