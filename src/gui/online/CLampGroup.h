#pragma once

#include <vector>

#include <QGroupBox>

#include "online/StatusLamps.h"

class QGridLayout;

namespace vantrel {

class CLamp;

// A titled group of lamps or toggles laid out in rows of `columns`. A refresh
// sets each lamp from a status copy (repainting only those whose bit changed);
// pressing a toggle emits toggled() with its bit.
class CLampGroup : public QGroupBox {
    Q_OBJECT
public:
    CLampGroup(const LampGroup& group, bool toggles, int columns, QWidget* parent = nullptr);

    // Number of lamps whose state changed.
    int refresh(const StatusSnapshot& snapshot);
    // Gives the group a new title and new bits with the same labels (the
    // network output test when another group of drivers is chosen).
    void rebind(const LampGroup& group);

    const std::vector<CLamp*>& lamps() const { return lamps_; }
    CLamp* lamp(const QString& label) const;

signals:
    void toggled(const vantrel::BitRef& ref);

private:
    std::vector<CLamp*> lamps_;
    std::vector<BitRef> refs_;
};

}  // namespace vantrel
