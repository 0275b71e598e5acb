#include "mainwindow/titlecount.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

TitleCount::TitleCount(QWidget &window)
    : QObject(&window)
    , m_window(window)
{
    window.installEventFilter(this);
}

bool TitleCount::isLookedAt() const
{
    return m_window.isVisible() && !m_window.isMinimized() && m_window.isActiveWindow();
}

void TitleCount::lineArrived()
{
    if (isLookedAt())
        return;
    if (m_count == 0)
        m_title = m_window.windowTitle();
    ++m_count;
    m_window.setWindowTitle(tr("(%1) %2").arg(m_count).arg(m_title));
    // Until the window is activated: the desktop clears it then.
    QApplication::alert(&m_window);
}

void TitleCount::clear()
{
    if (m_count == 0)
        return;
    m_count = 0;
    m_window.setWindowTitle(m_title);
}

bool TitleCount::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && m_count
        && (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowStateChange)
        && isLookedAt())
        clear();
    return QObject::eventFilter(watched, event);
}
