#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QStaticText>

namespace vantrel {

// One lamp of the online windows: a labelled box filled with the lit colour
// RGB (0x00, 0xFF, 0xAA) when its bit is 1 and white otherwise. An indicator
// only shows; a toggle is also a button that the user presses to flip its
// output bit. A lamp repaints only when its state changes, so a fast refresh
// that finds nothing new paints nothing.
class CLamp : public QAbstractButton {
    Q_OBJECT
public:
    enum class Kind { Indicator, Toggle };

    CLamp(const QString& label, Kind kind, QWidget* parent = nullptr);

    static QColor litColour() { return QColor(0x00, 0xFF, 0xAA); }

    bool lit() const { return lit_; }
    // Schedules a repaint only when the state changes; returns whether it did.
    bool setLit(bool on);
    Kind kind() const { return kind_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind kind_;
    bool lit_ = false;
    QStaticText label_;  // laid out once: a repaint only draws the glyphs
};

}  // namespace vantrel
