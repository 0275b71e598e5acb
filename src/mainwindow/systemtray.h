#pragma once

#include <QObject>
#include <QSystemTrayIcon>

class QAction;
class QMenu;
class QWidget;

// The station's icon in the notification area and its menu, acting on the
// main window. Without a system tray the station runs without an icon.
class SystemTray final : public QObject
{
    Q_OBJECT

public:
    explicit SystemTray(QWidget *window);

    QSystemTrayIcon *const TrayIcon;
    QMenu *const mPopupSys;
    QAction *const mnuPopMinimize;
    QAction *const mnuPopRestore;
    QAction *const mnuSystray;
    QAction *const mnuPopAbout;
    QAction *const mnuPopExit;

    void show(); // at start-up
    void hide(); // at shut-down

    // True while an icon really stands in a tray; only then may a minimised
    // main window hide itself, or it could never be brought back.
    bool available() const;

public slots:
    void TrayIcon_Activated(QSystemTrayIcon::ActivationReason reason);
    void mnuPopMinimize_Click();
    void mnuPopRestore_Click();
    void mnuPopAbout_Click();
    void mnuPopExit_Click();

private:
    void restore();
    void foreground();

    QWidget *const m_window;
};
