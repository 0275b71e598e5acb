#pragma once

#include <QObject>
#include <QPointer>

#include <array>

class QAction;
class QMenu;
class QWidget;

// The main window's Edit menu. It knows none of the window's controls by
// name: each command classifies the focused control by what it can hold.
class EditMenu final : public QObject
{
    Q_OBJECT

public:
    // Indexes of the item array; 0 and 1 do not exist.
    enum Item : int { kCut = 2, kCopy = 3, kPaste = 4, kSeparator = 5, kClear = 6, kSelectAll = 7 };

    // The owner is the main window; its menu bar takes menu() as it is.
    explicit EditMenu(QWidget *owner);

    QMenu *menu() const { return m_menu; }
    // The item at index 2..7, or nullptr for any other index.
    QAction *item(Item index) const;

public slots:
    // Runs as the menu opens: sets the enabled items for the focused control.
    void updateItems();
    void updateItems(QWidget *focused);
    // Runs the item's command on the focused control.
    void trigger(EditMenu::Item index);
    void trigger(EditMenu::Item index, QWidget *focused);

private:
    QWidget *focusedControl() const;

    QMenu *const m_menu;
    QWidget *const m_owner;
    QPointer<QWidget> m_lastControl;
    std::array<QAction *, kSelectAll + 1> m_items{};
};
