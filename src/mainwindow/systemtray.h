#pragma once

#include <QObject>
#include <QSystemTrayIcon>

class QMenu;
class QWidget;

// The station's icon in the notification area and its menu, acting on the
// main window. Without a system tray the station runs without an icon.
class SystemTray final : public QObject
{
    Q_OBJECT

public:
    explicit SystemTray(QWidget *window);

    void show(); // at start-up
    void hide(); // at shut-down

    // True while an icon really stands in a tray; only then may a minimised
    // main window hide itself, or it could never be brought back.
    bool available() const;

    QMenu *menu() const { return m_menu; }
    void setToolTip(const QString &text);

private:
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void minimize();
    void restore();
    void foreground();

    QSystemTrayIcon *const m_icon;
    QMenu *const m_menu;
    QWidget *const m_window;
};
