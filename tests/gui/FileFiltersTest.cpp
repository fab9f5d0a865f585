// The file types of the settings file dialogs: what they show and which
// files of a folder each lets the user see.

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QTemporaryDir>

#include "GuiTestSupport.h"
#include "app/MainFramePrompts.h"

using namespace vantrel;

namespace {

// The names the dialog lists in its folder (it reads the folder in the background).
QStringList listed(QFileDialog& dialog) {
    auto* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
    QStringList names;
    if (!list) return names;
    const QModelIndex root = list->rootIndex();
    for (int row = 0; row < list->model()->rowCount(root); ++row)
        names << list->model()->index(row, 0, root).data().toString();
    names.sort();
    return names;
}

}  // namespace

class FileFiltersTest : public QObject {
    Q_OBJECT

private slots:
    void settingsFileTypesShowTheirTextsAndMatchTheirFiles_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("settings files") << 0 << QStringLiteral("設定ファイル(*.bin)") << QStringList{"a.bin"};
        QTest::newRow("all files, without an extension too")
            << 1 << QStringLiteral("全てのファイル(*.*)") << QStringList{"a.bin", "b.txt", "initial", "x.y.z"};
    }

    void settingsFileTypesShowTheirTextsAndMatchTheirFiles() {
        QFETCH(int, type);
        QFETCH(QString, shown);
        QFETCH(QStringList, files);
        QTemporaryDir folder;
        for (const char* name : {"a.bin", "b.txt", "initial", "x.y.z"}) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QFileDialog dialog(nullptr, QString(), folder.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        ui::setFileFilters(dialog, settingsFileFilters());
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types != nullptr);
        QCOMPARE(types->count(), 2);
        QCOMPARE(types->itemText(type), shown);
        dialog.selectNameFilter(dialog.nameFilters().at(type));
        dialog.show();
        QTRY_COMPARE(listed(dialog), files);
    }
};

VANTREL_GUI_TEST_MAIN(FileFiltersTest)
#include "FileFiltersTest.moc"
