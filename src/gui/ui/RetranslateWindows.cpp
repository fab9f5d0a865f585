#include "ui/RetranslateWindows.h"

#include <functional>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSet>
#include <QTabBar>
#include <QTableWidget>
#include <QTreeWidget>

#include "ui/TextTranslator.h"

namespace vantrel::ui {

namespace {

// Replaces one text through its getter and setter when the translator knows it.
template <typename Get, typename Set>
void renew(const TextTranslator& texts, Get get, Set set) {
    const QString shown = get();
    if (shown.isEmpty()) return;
    if (const std::optional<QString> again = texts.again(shown); again && *again != shown) set(*again);
}

void renewAction(const TextTranslator& texts, QAction* action) {
    renew(texts, [action] { return action->text(); }, [action](const QString& t) { action->setText(t); });
    renew(texts, [action] { return action->iconText(); }, [action](const QString& t) { action->setIconText(t); });
    renew(texts, [action] { return action->toolTip(); }, [action](const QString& t) { action->setToolTip(t); });
    renew(texts, [action] { return action->statusTip(); }, [action](const QString& t) { action->setStatusTip(t); });
}

void renewTreeItem(const TextTranslator& texts, QTreeWidgetItem* item) {
    for (int c = 0; c < item->columnCount(); ++c)
        renew(texts, [item, c] { return item->text(c); }, [item, c](const QString& t) { item->setText(c, t); });
    for (int i = 0; i < item->childCount(); ++i) renewTreeItem(texts, item->child(i));
}

void renewItems(const TextTranslator& texts, QWidget* widget) {
    if (auto* tree = qobject_cast<QTreeWidget*>(widget)) {
        renewTreeItem(texts, tree->headerItem());
        for (int i = 0; i < tree->topLevelItemCount(); ++i) renewTreeItem(texts, tree->topLevelItem(i));
    } else if (auto* table = qobject_cast<QTableWidget*>(widget)) {
        for (int c = 0; c < table->columnCount(); ++c)
            if (QTableWidgetItem* item = table->horizontalHeaderItem(c))
                renew(texts, [item] { return item->text(); }, [item](const QString& t) { item->setText(t); });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget); combo && !combo->isEditable()) {
        for (int i = 0; i < combo->count(); ++i)
            renew(texts, [combo, i] { return combo->itemText(i); },
                  [combo, i](const QString& t) { combo->setItemText(i, t); });
    } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
        for (int i = 0; i < tabs->count(); ++i)
            renew(texts, [tabs, i] { return tabs->tabText(i); },
                  [tabs, i](const QString& t) { tabs->setTabText(i, t); });
    }
    // Views over the core's tables ask their model again when they paint.
    if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
        view->viewport()->update();
        if (auto* table = qobject_cast<QTableView*>(view)) {
            table->horizontalHeader()->viewport()->update();
            table->verticalHeader()->viewport()->update();
        }
    }
}

void renewWidget(const TextTranslator& texts, QWidget* widget, QSet<QAction*>& actionsDone) {
    renew(texts, [widget] { return widget->windowTitle(); }, [widget](const QString& t) { widget->setWindowTitle(t); });
    renew(texts, [widget] { return widget->toolTip(); }, [widget](const QString& t) { widget->setToolTip(t); });
    if (auto* label = qobject_cast<QLabel*>(widget))
        renew(texts, [label] { return label->text(); }, [label](const QString& t) { label->setText(t); });
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        renew(texts, [button] { return button->text(); }, [button](const QString& t) { button->setText(t); });
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        renew(texts, [group] { return group->title(); }, [group](const QString& t) { group->setTitle(t); });
    else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        renew(texts, [edit] { return edit->placeholderText(); },
              [edit](const QString& t) { edit->setPlaceholderText(t); });
        // A field the user types into holds the user's text; a read-only one shows the system's.
        if (edit->isReadOnly())
            renew(texts, [edit] { return edit->text(); }, [edit](const QString& t) { edit->setText(t); });
    }
    renewItems(texts, widget);
    // Menus show their actions; a menu's own title is the text of its menu action.
    if (auto* menu = qobject_cast<QMenu*>(widget)) {
        QAction* own = menu->menuAction();
        if (!actionsDone.contains(own)) {
            actionsDone.insert(own);
            renewAction(texts, own);
        }
    }
    for (QAction* action : widget->actions()) {
        if (actionsDone.contains(action)) continue;
        actionsDone.insert(action);
        renewAction(texts, action);
    }
}

}  // namespace

void retranslateWindows(const TextTranslator& texts) {
    QSet<QAction*> actionsDone;
    for (QWidget* widget : QApplication::allWidgets()) renewWidget(texts, widget, actionsDone);
}

}  // namespace vantrel::ui
