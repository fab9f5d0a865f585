#pragma once

#include <QDialog>

#include "program/ProgramList.h"

class QLineEdit;
class QTableWidget;

namespace vantrel {

class ControllerWriteSink;
class SettingsImage;

// The program list "プログラム一覧": the programs of the data set, where
// programs are added ("新規追加") and deleted ("削除"). The dialog works on a
// copy of the program numbers; OK applies it to the store (new programs
// created, deleted ones removed with their points cleared in the settings
// image and queued for the controller) and chooses the new selected program;
// キャンセル changes nothing.
class CProgManage : public QDialog {
    Q_OBJECT
public:
    CProgManage(ProgramStore& store, SettingsImage& image, ControllerWriteSink* sink, QWidget* parent = nullptr);

    // The program selected after OK.
    int selectedProgram() const { return selected_; }
    // Whether OK changed the set of programs.
    bool changed() const { return changed_; }

    QTableWidget* list() const { return list_; }
    QLineEdit* numberField() const { return number_; }

    void addProgram();
    void deleteProgram();

public slots:
    void accept() override;

private:
    void fillList(int selectedNumber);

    ProgramStore& store_;
    SettingsImage& image_;
    ControllerWriteSink* sink_;
    ProgramList programs_;
    QTableWidget* list_ = nullptr;
    QLineEdit* number_ = nullptr;
    int selected_ = 0;
    bool changed_ = false;
};

}  // namespace vantrel
