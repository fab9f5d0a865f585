#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "data/ControllerWriteSink.h"
#include "data/SettingsImage.h"
#include "settings/SettingsTableModel.h"

namespace vantrel {

// Network settings: the three settings of the RS-485 line to the network
// drivers (drop-down fields beside the table) and the table of the connected
// model of each of the 16 network drivers (rows 1..16, column 1).
class RivoSettingModel : public SettingsTableModel {
public:
    static constexpr int kRows = 17;
    static constexpr int kColumns = 2;

    enum class LineField { Speed, Parity, StopBits };

    RivoSettingModel(SettingsImage& image, ControllerWriteSink* sink) : image_(image), sink_(sink) {}

    // Where the once-per-opening notice about line settings goes.
    void setNoticeHandler(ShowMessage handler) { notice_ = std::move(handler); }

    int rowCount() const override { return kRows; }
    int columnCount() const override { return kColumns; }
    int columnWidth(int column) const override { return column == 0 ? 80 : 140; }
    std::string cellText(int row, int column) const override;
    CellKind cellKind(int row, int column) const override;
    std::vector<std::string> choices(int row, int column) const override;
    std::string helpText(int row, int column) const override;
    // A driver without a connected model says that its point data wait for one.
    std::string lockNote(int row, int column) const override;
    MaybeRefusal commit(int row, int column, const std::string& text) override;
    // Arms the notice: it is shown at the first line-setting change after opening.
    void opened() override { noticeArmed_ = true; }

    // The line settings.
    static std::string lineFieldLabel(LineField field);
    static std::vector<std::string> lineFieldChoices(LineField field);
    static std::string lineFieldHelp(LineField field);
    // The chosen entry (the stored code is the list position); empty when the
    // stored code is none of the choices.
    std::string lineFieldText(LineField field) const;
    int lineFieldIndex(LineField field) const;
    // Stores and sends the code of the chosen entry.
    void commitLineField(LineField field, const std::string& text);

    // The two hidden numeric fields, held for completeness and never edited.
    static std::string waitTimeLabel() { return "通信待ち時間"; }
    static std::string timeoutLabel() { return "通信タイムアウト"; }
    std::string waitTimeText() const;
    std::string timeoutText() const;

    // Model code of a choice text ("QM" 1, "QS" 2, "VT3" 3, "WRB" 4, anything else 0) and back.
    static std::uint8_t modelCode(const std::string& text);
    static std::string modelText(std::uint8_t code);

    static const char* noticeText() { return "通信設定はFLASH書き込み後、コントローラを再起動すると反映されます。"; }

private:
    bool isDriverCell(int row, int column) const { return row >= 1 && row < kRows && column == 1; }
    static std::uint8_t lineFieldCode(LineField field, const std::string& text, bool& known);

    SettingsImage& image_;
    ControllerWriteSink* sink_;
    ShowMessage notice_;
    bool noticeArmed_ = true;
};

}  // namespace vantrel
