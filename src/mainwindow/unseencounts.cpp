#include "mainwindow/unseencounts.h"

#include "mainwindow/systemtray.h"

#include <QEvent>
#include <QWidget>

UnseenCounts::UnseenCounts(QWidget &window, SystemTray &tray)
    : QObject(&window)
    , m_window(window)
    , m_tray(tray)
{
    window.installEventFilter(this);
}

void UnseenCounts::lineArrived(Room room)
{
    if (outOfSight()) {
        ++(room == Room::Work ? m_workLines : m_teaLines);
        show();
    }
}

void UnseenCounts::messageArrived()
{
    if (outOfSight()) {
        ++m_messages;
        show();
    }
}

bool UnseenCounts::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Show || (event->type() == QEvent::WindowStateChange && !outOfSight())) {
        m_workLines = m_teaLines = m_messages = 0;
        show();
    }
    return false;
}

bool UnseenCounts::outOfSight() const
{
    return !m_window.isVisible() || m_window.isMinimized();
}

void UnseenCounts::show()
{
    QStringList counts;
    if (m_workLines)
        counts << tr("Work room: %n new line(s)", nullptr, m_workLines);
    if (m_teaLines)
        counts << tr("Tea room: %n new line(s)", nullptr, m_teaLines);
    if (m_messages)
        counts << tr("%n new message(s)", nullptr, m_messages);
    m_tray.showUnseen(counts.join(u'\n'));
}
