// The main window's own dialogs: the Ethernet address dialog's port check,
// the initialise dialog's radio rules, message boxes as wide as their title,
// the about box's facts, and the buttons Qt draws in Japanese.

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include "GuiTestSupport.h"
#include "app/CAboutDlg.h"
#include "app/CIpAddressDlg.h"
#include "app/CSettingInitialDlg.h"
#include "ui/GuiLanguage.h"
#include "ui/MessageBox.h"

using namespace vantrel;

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void portNumberOutOfRangeIsRefused() {
        test::MessageRecorder recorder;
        CIpAddressDlg dialog(EthernetAddressValues{{192, 168, 0, 10}, {255, 255, 255, 0}, {192, 168, 0, 1}, 5000});
        dialog.portField()->setText(QStringLiteral("65536"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(recorder.texts(), std::vector<std::string>{"ポート番号は0～65535の間で設定してください。"});

        dialog.portField()->setText(QStringLiteral("65535"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.values().port, 65535);
        QCOMPARE(dialog.values().ipAddress[3], 10);
        QCOMPARE(recorder.messages.size(), std::size_t{1});
    }

    // The about box names what a support request needs: version, build date,
    // the Qt actually loaded, and each shipped library with its licence.
    void aboutBoxShowsVersionBuildQtAndLicences() {
        CAboutDlg dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("バージョン情報 VANTREL"));
        const QStringList lines = dialog.text().split(QLatin1Char('\n'));
        QCOMPARE(lines.first(), QStringLiteral("VANTREL Version " VANTREL_VERSION_TEXT));
        QVERIFY(lines.filter(QRegularExpression(QStringLiteral("^ビルド日: \\d{4}-\\d{2}-\\d{2}$"))).size() == 1);
        QVERIFY(lines.contains(QStringLiteral("Qt バージョン: ") + QString::fromLatin1(qVersion())));
        QCOMPARE(lines.filter(QStringLiteral("GNU LGPL v3")).size(), 1);
        QVERIFY(lines.filter(QStringLiteral("GNU LGPL v3")).first().contains(QStringLiteral("Qt ")));
        QCOMPARE(lines.filter(QStringLiteral("(vantrel-cli): MIT")).size(), 1);
    }

    void initialiseRadioButtonsFollowTheChoice() {
        CSettingInitialDlg dialog;
        QVERIFY(dialog.allButton()->isChecked());
        QVERIFY(!dialog.axisOnlyButton()->isEnabled());
        QVERIFY(!dialog.parametersOnlyButton()->isEnabled());
        QCOMPARE(dialog.choice().scopeCode(), 3);

        dialog.selectedButton()->click();
        QVERIFY(dialog.axisOnlyButton()->isEnabled());
        QVERIFY(dialog.parametersOnlyButton()->isEnabled());
        QCOMPARE(dialog.choice().scopeCode(), 1);
        dialog.parametersOnlyButton()->click();
        QCOMPARE(dialog.choice().scopeCode(), 2);
        QVERIFY(dialog.parametersOnlyButton()->isChecked());

        dialog.allButton()->click();
        QVERIFY(!dialog.parametersOnlyButton()->isEnabled());
        QCOMPARE(dialog.choice().scopeCode(), 3);
    }

    // A title bar holds the title beside the window's icon and buttons: a
    // short text must not leave the title cut ("VA… EL").
    void aBoxIsWideEnoughForItsTitle() {
        const QFontMetrics titleFont(QApplication::font("QMdiSubWindowTitleBar"));
        for (const char* title : {"VANTREL", "バージョン情報 VANTREL"}) {
            const auto box = ui::makeMessageBox(nullptr, Refusal{"完了", title, MessageIcon::Information},
                                                ui::MessageButtons::Ok);
            box->show();
            QVERIFY(QTest::qWaitForWindowExposed(box.get()));
            QVERIFY2(box->width() >= titleFont.horizontalAdvance(QString::fromUtf8(title)) + ui::kTitleBarRoom, title);
        }
    }

    // Qt's translations are part of the installed packages: a question's
    // buttons read as on a Japanese desktop, or an English one.
    void questionButtonsFollowTheLanguage() {
        const auto buttons = [] {
            QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), QStringLiteral("本当に削除しますか？"),
                            QMessageBox::Yes | QMessageBox::No);
            return box.button(QMessageBox::Yes)->text() + QLatin1Char('|') + box.button(QMessageBox::No)->text();
        };
        ui::setGuiLanguage(*qApp, Language::Japanese);
        QVERIFY2(buttons().startsWith(QStringLiteral("はい")) && buttons().contains(QStringLiteral("|いいえ")),
                 qPrintable(buttons()));
        ui::setGuiLanguage(*qApp, Language::English);
        QVERIFY2(buttons().remove(QLatin1Char('&')) == QStringLiteral("Yes|No"), qPrintable(buttons()));
        ui::setGuiLanguage(*qApp, Language::Japanese);
    }
};

VANTREL_GUI_TEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
