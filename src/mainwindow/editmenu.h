#pragma once

#include <QObject>
#include <QPointer>

#include <array>

class QAction;
class QMenu;
class QWidget;

// The main window's Edit menu. It knows none of the window's controls by
// name: each handler classifies the focused control by what it can hold.
class EditMenu final : public QObject
{
    Q_OBJECT

public:
    // Indexes of the item array; 0 and 1 do not exist.
    enum Item : int { kCut = 2, kCopy = 3, kPaste = 4, kSeparator = 5, kClear = 6, kSelectAll = 7 };

    // The owner is the main window; its menu bar takes mnuEdit as it is.
    explicit EditMenu(QWidget *owner);

    QMenu *const mnuEdit;

    // The item at index 2..7, or nullptr for any other index.
    QAction *mnuEditItem(int index) const;

public slots:
    // Runs as the menu opens: sets the enabled items for the focused control.
    void mnuEdit_Click();
    void mnuEdit_Click(QWidget *focused);
    void mnuEditItem_Click(int index);
    void mnuEditItem_Click(int index, QWidget *focused);

private:
    QWidget *focusedControl() const;

    QWidget *const m_owner;
    QPointer<QWidget> m_lastControl;
    std::array<QAction *, kSelectAll + 1> m_items{};
};
