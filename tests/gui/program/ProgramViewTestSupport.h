#pragma once

// Shared by the program editor's tests: a modal dialog answered from a timer
// (the editors are modal dialogs run with exec()), palette buttons pressed by
// their page and text, and the cells of the step table.

#include <functional>
#include <memory>
#include <string>

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "program/CCommandPalette.h"
#include "program/CProgramView.h"
#include "program/CStepTableView.h"
#include "program/PaletteButton.h"
#include "program/StepTableItemModel.h"

namespace vantrel::test {

// Runs `act` on the first modal dialog of type Dialog that opens, from the
// event loop of its exec(). Returns a flag that tells whether it ran.
template <class Dialog>
std::shared_ptr<bool> whenModal(std::function<void(Dialog&)> act) {
    auto ran = std::make_shared<bool>(false);
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, act, ran] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        *ran = true;
        act(*dialog);
    });
    timer->start(5);
    return ran;
}

// The palette button of (page, text) in `group` (any group when empty); the
// nth (0-based) of equal buttons.
inline QPushButton* paletteButton(const CProgramView& view, std::string_view page, std::string_view text,
                                  std::string_view group = {}, int nth = 0) {
    const auto catalogue = paletteCatalogue();
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const PaletteButton& b = catalogue[i].button;
        if (b.page == page && b.button == text && (group.empty() || b.group == group) && nth-- == 0)
            return view.palette()->page(page)->button(static_cast<int>(i));
    }
    return nullptr;
}

inline QString cell(const CProgramView& view, int row, int column) {
    return view.model()->index(row, column).data().toString();
}

inline QColor background(const CProgramView& view, int row) {
    return view.model()->index(row, 0).data(Qt::BackgroundRole).value<QBrush>().color();
}

inline bool coloured(const CProgramView& view, int row) {
    return view.model()->index(row, 0).data(Qt::BackgroundRole).isValid();
}

}  // namespace vantrel::test
