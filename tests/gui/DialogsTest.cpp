// The main window's own dialogs: the Ethernet address dialog's port check and
// the initialise dialog's radio rules.

#include <QLineEdit>
#include <QRadioButton>

#include "GuiTestSupport.h"
#include "app/CIpAddressDlg.h"
#include "app/CSettingInitialDlg.h"

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
};

VANTREL_GUI_TEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
