#pragma once

#include "wire/kinds.h"

#include <QObject>

class SystemTray;
class QWidget;

// What arrived while the main window was hidden or minimised, told in the
// tray's tooltip and forgotten once the window is back in sight.
class UnseenCounts final : public QObject
{
    Q_OBJECT
public:
    UnseenCounts(QWidget &window, SystemTray &tray);

    void lineArrived(Room room);
    void messageArrived(); // a private message or a proposal

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool outOfSight() const;
    void show();

    QWidget &m_window;
    SystemTray &m_tray;
    int m_workLines = 0;
    int m_teaLines = 0;
    int m_messages = 0;
};
