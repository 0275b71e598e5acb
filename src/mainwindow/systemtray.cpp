#include "mainwindow/systemtray.h"

#include "look/look.h"
#include "look/names.h"
#include "mainwindow/aboutbox.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QWidget>

SystemTray::SystemTray(QWidget *window)
    : QObject(window)
    , m_icon(look::named(new QSystemTrayIcon(look::sailIcon(), this), "TrayIcon"))
    , m_menu(look::named(new QMenu(tr("&Systray"), window), "mPopupSys"))
    , m_window(window)
{
    m_icon->setToolTip(tr("Quillet"));
    QAction *minimizeItem = look::addNamedAction(m_menu, tr("&Minimize"), "mnuPopMinimize");
    QAction *restoreItem = look::addNamedAction(m_menu, tr("&Restore"), "mnuPopRestore");
    m_menu->addSeparator()->setObjectName(QStringLiteral("mnuSystray"));
    QAction *aboutItem = look::addNamedAction(m_menu, tr("&About"), "mnuPopAbout");
    QAction *exitItem = look::addNamedAction(m_menu, tr("&Exit"), "mnuPopExit");

    // The menu is popped up by hand on a right click rather than handed to
    // the icon, so that it never shows twice.
    connect(m_icon, &QSystemTrayIcon::activated, this, &SystemTray::iconActivated);
    connect(m_icon, &QSystemTrayIcon::messageClicked, this, &SystemTray::notificationClicked);
    connect(minimizeItem, &QAction::triggered, this, &SystemTray::minimize);
    connect(restoreItem, &QAction::triggered, this, &SystemTray::restore);
    connect(aboutItem, &QAction::triggered, this, [this] { AboutBox::open(m_window); });
    connect(exitItem, &QAction::triggered, m_window, &QWidget::close);
}

void SystemTray::show()
{
    m_icon->show();
}

void SystemTray::hide()
{
    m_icon->hide();
}

bool SystemTray::available() const
{
    return QSystemTrayIcon::isSystemTrayAvailable() && m_icon->isVisible();
}

void SystemTray::setNotice(const QString &notice)
{
    m_notice = notice;
    showToolTip();
}

void SystemTray::showUnseen(const QString &unseen)
{
    if (unseen.isEmpty() != m_unseen.isEmpty())
        m_icon->setIcon(unseen.isEmpty() ? look::sailIcon() : look::sailUnseenIcon());
    m_unseen = unseen;
    showToolTip();
}

void SystemTray::showToolTip()
{
    QStringList lines{tr("Quillet"), m_notice, m_unseen};
    lines.removeAll(QString());
    m_icon->setToolTip(lines.join(u'\n'));
}

void SystemTray::notify(const QString &title, const QString &text)
{
    if (available())
        m_icon->showMessage(title, text, look::sailIcon());
}

void SystemTray::iconActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:
        restore();
        break;
    case QSystemTrayIcon::Context:
        foreground();
        m_menu->popup(QCursor::pos());
        break;
    default:
        break;
    }
}

void SystemTray::minimize()
{
    // The main window's own state-change handler hides it when a tray exists.
    m_window->setWindowState(m_window->windowState() | Qt::WindowMinimized);
}

void SystemTray::restore()
{
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    // A hidden window can be neither raised nor activated, so show it first.
    m_window->show();
    foreground();
}

void SystemTray::foreground()
{
    if (!m_window->isVisible())
        return;
    m_window->raise();
    m_window->activateWindow();
}
