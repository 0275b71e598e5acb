#include "systemtray.h"

#include "frmabout.h"
#include "look.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QWidget>

SystemTray::SystemTray(QWidget *window)
    : QObject(window)
    , TrayIcon(new QSystemTrayIcon(look::sailIcon(), this))
    , mPopupSys(new QMenu(tr("&Systray"), window))
    , mnuPopMinimize(mPopupSys->addAction(tr("&Minimize")))
    , mnuPopRestore(mPopupSys->addAction(tr("&Restore")))
    , mnuSystray(mPopupSys->addSeparator())
    , mnuPopAbout(mPopupSys->addAction(tr("&About")))
    , mnuPopExit(mPopupSys->addAction(tr("&Exit")))
    , m_window(window)
{
    TrayIcon->setObjectName(QStringLiteral("TrayIcon"));
    TrayIcon->setToolTip(QStringLiteral("Quillet"));
    mPopupSys->setObjectName(QStringLiteral("mPopupSys"));
    mnuPopMinimize->setObjectName(QStringLiteral("mnuPopMinimize"));
    mnuPopRestore->setObjectName(QStringLiteral("mnuPopRestore"));
    mnuSystray->setObjectName(QStringLiteral("mnuSystray"));
    mnuPopAbout->setObjectName(QStringLiteral("mnuPopAbout"));
    mnuPopExit->setObjectName(QStringLiteral("mnuPopExit"));

    // The menu is popped up by hand on a right click rather than handed to
    // the icon, so that it never shows twice.
    connect(TrayIcon, &QSystemTrayIcon::activated, this, &SystemTray::TrayIcon_Activated);
    connect(mnuPopMinimize, &QAction::triggered, this, &SystemTray::mnuPopMinimize_Click);
    connect(mnuPopRestore, &QAction::triggered, this, &SystemTray::mnuPopRestore_Click);
    connect(mnuPopAbout, &QAction::triggered, this, &SystemTray::mnuPopAbout_Click);
    connect(mnuPopExit, &QAction::triggered, this, &SystemTray::mnuPopExit_Click);
}

void SystemTray::show()
{
    TrayIcon->show();
}

void SystemTray::hide()
{
    TrayIcon->hide();
}

bool SystemTray::available() const
{
    return QSystemTrayIcon::isSystemTrayAvailable() && TrayIcon->isVisible();
}

void SystemTray::TrayIcon_Activated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:
        restore();
        break;
    case QSystemTrayIcon::Context:
        foreground();
        mPopupSys->popup(QCursor::pos());
        break;
    default:
        break;
    }
}

void SystemTray::mnuPopMinimize_Click()
{
    // The main window's own state-change handler hides it when a tray exists.
    m_window->setWindowState(m_window->windowState() | Qt::WindowMinimized);
}

void SystemTray::mnuPopRestore_Click()
{
    restore();
}

void SystemTray::mnuPopAbout_Click()
{
    frmAbout::Load(m_window);
}

void SystemTray::mnuPopExit_Click()
{
    m_window->close();
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
