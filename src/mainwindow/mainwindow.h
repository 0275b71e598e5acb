#pragma once

#include "mainwindow/statusnotices.h"
#include "mainwindow/userlistmodel.h"
#include "station/station.h"

#include <QMainWindow>

#include <array>

class AppliedPreferences;
class DesktopNotifier;
class EditMenu;
class GameWindow;
class GameWindows;
class HelpMenu;
class LogActions;
class MessageWindow;
class NetworkWindowCaps;
class NetworkWindows;
class ProposalWindow;
class RoomLog;
class StatusClock;
class SystemTray;
class TitleCount;
class UnseenCounts;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QTabWidget;

// The station's main window: the two rooms, the user list, the availability
// box and the status bar, the menus and the tray. The protocol is the
// station core's; this shows what it reports and sends what the user does.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
public:
    // The user list's roles: each entry's icon number and its user's exact name.
    static constexpr int kIconRole = UserListModel::kIconRole;
    static constexpr int kNameRole = UserListModel::kNameRole;

    // The station is started already: its first broadcast goes out before
    // any window is built. The game windows open over this one.
    MainWindow(Station &station, GameWindows &games, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Builds and shows the window. Its controls exist from here on.
    void start();

    Station &station() { return m_station; }
    // The game windows, built when their game first opens; nullptr before.
    GameWindow *gameWindow(Game game) const;
    // The newest message window and proposal window of each game, while open.
    MessageWindow *messageWindow() const;
    ProposalWindow *proposalWindow(Game game) const;

    StatusNotices &notices() { return *m_notices; }
    NetworkWindowCaps &windowCaps() { return *m_caps; }

signals:
    // The station has said goodbye; the program may end.
    void stationClosed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void connectStation();

    void appendToLog(Room room, const QString &line);
    QString selectedUser() const;

    void updateGameActions();
    void showNotice(const QString &shown);

    void writeToSelectedUser();
    void proposeToSelectedUser(Game game);

    Station &m_station;
    GameWindows &m_games;
    StatusNotices *m_notices = nullptr;
    NetworkWindowCaps *m_caps = nullptr;

    QTabWidget *m_rooms = nullptr;
    RoomLog *m_workLog = nullptr;
    RoomLog *m_teaLog = nullptr;
    QListView *m_userList = nullptr;
    UserListModel *m_users = nullptr;
    QLineEdit *m_input = nullptr;
    QPushButton *m_sendButton = nullptr;
    QComboBox *m_availabilityBox = nullptr;
    QLabel *m_userCount = nullptr;
    StatusClock *m_clock = nullptr;
    QLabel *m_noticeLabel = nullptr;
    QPushButton *m_withdrawButton = nullptr; // beside the waiting notice
    QAction *m_withdrawAction = nullptr;
    QMenu *m_userMenu = nullptr;
    // Tools menu, per game: show it again, leave it.
    std::array<QAction *, kGames.size()> m_showGame{};
    std::array<QAction *, kGames.size()> m_leaveGame{};
    SystemTray *m_tray = nullptr;
    DesktopNotifier *m_notifier = nullptr;
    TitleCount *m_titleCount = nullptr;
    LogActions *m_logActions = nullptr;
    AppliedPreferences *m_preferences = nullptr;
    UnseenCounts *m_unseen = nullptr;
    NetworkWindows *m_networkWindows = nullptr;

    Room m_room = Room::Work;
    bool m_closed = false;
};
