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
    // The tooltip says the program's name, the notice the status bar shows,
    // and what arrived while the window was out of sight; the icon is marked
    // while anything did.
    void setNotice(const QString &notice);
    void showUnseen(const QString &unseen);
    // A desktop notification, where the desktop shows them.
    void notify(const QString &title, const QString &text);

signals:
    void notificationClicked();

private:
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void minimize();
    void restore();
    void foreground();
    void showToolTip();

    QSystemTrayIcon *const m_icon;
    QMenu *const m_menu;
    QWidget *const m_window;
    QString m_notice;
    QString m_unseen;
};
