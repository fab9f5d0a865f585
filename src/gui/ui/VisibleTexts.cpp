#include "ui/VisibleTexts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTableView>
#include <QTreeView>

namespace vantrel::ui {

namespace {

bool marked(const QObject* object) {
    return object->property(kBothLanguages).toBool() || object->property(kUserData).toBool();
}

// Hidden, or inside a widget whose texts are not the system's.
bool leftOut(const QWidget* widget, const QWidget& window) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (marked(w)) return true;
        if (w == &window) break;
    }
    return !widget->isVisibleTo(&window) && widget != &window;
}

void addText(QStringList& texts, const QString& text) {
    if (!text.trimmed().isEmpty()) texts << text;
}

void addModelTexts(QStringList& texts, const QAbstractItemView& view) {
    const QAbstractItemModel* model = view.model();
    if (!model) return;
    const auto* table = qobject_cast<const QTableView*>(&view);
    const auto* tree = qobject_cast<const QTreeView*>(&view);
    const bool headers = (table && !table->horizontalHeader()->isHidden()) || (tree && !tree->isHeaderHidden());
    for (int c = 0; c < model->columnCount(); ++c) {
        if (headers) addText(texts, model->headerData(c, Qt::Horizontal).toString());
        for (int r = 0; r < model->rowCount(); ++r) addText(texts, model->index(r, c).data().toString());
    }
    if (table && !table->verticalHeader()->isHidden())
        for (int r = 0; r < model->rowCount(); ++r) addText(texts, model->headerData(r, Qt::Vertical).toString());
}

void addMenuTexts(QStringList& texts, const QMenu& menu) {
    if (marked(&menu) || marked(menu.menuAction())) return;
    addText(texts, menu.title());
    for (const QAction* action : menu.actions()) {
        if (!action->isVisible() || action->isSeparator() || marked(action)) continue;
        if (action->menu()) addMenuTexts(texts, *action->menu());
        else addText(texts, action->text());
    }
}

void addWidgetTexts(QStringList& texts, const QWidget& widget) {
    if (widget.isWindow()) addText(texts, widget.windowTitle());
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) addText(texts, label->text());
    else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) addText(texts, button->text());
    else if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) addText(texts, group->title());
    else if (const auto* panel = qobject_cast<const QPlainTextEdit*>(&widget)) addText(texts, panel->toPlainText());
    else if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) {
        for (int i = 0; i < combo->count(); ++i) addText(texts, combo->itemText(i));
    } else if (const auto* tabs = qobject_cast<const QTabBar*>(&widget)) {
        for (int i = 0; i < tabs->count(); ++i) addText(texts, tabs->tabText(i));
    } else if (const auto* view = qobject_cast<const QAbstractItemView*>(&widget)) {
        addModelTexts(texts, *view);
    } else if (const auto* bar = qobject_cast<const QMenuBar*>(&widget)) {
        for (const QAction* action : bar->actions())
            if (action->menu()) addMenuTexts(texts, *action->menu());
    } else if (const auto* menu = qobject_cast<const QMenu*>(&widget)) {
        addMenuTexts(texts, *menu);
    }
}

}  // namespace

QStringList visibleTexts(const QWidget& window) {
    QStringList texts;
    if (marked(&window)) return texts;
    addWidgetTexts(texts, window);
    for (const QWidget* child : window.findChildren<QWidget*>()) {
        // A window of its own (a dialog owned by this one) is looked at on its own.
        if (child->isWindow() || leftOut(child, window)) continue;
        addWidgetTexts(texts, *child);
    }
    return texts;
}

bool holdsJapanese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF)) return true;
    }
    return false;
}

}  // namespace vantrel::ui
