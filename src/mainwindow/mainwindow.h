#pragma once

#include "mainwindow/userlistmodel.h"
#include "station/station.h"
#include "settings/preferences.h"

#include <QGuiApplication>
#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class DatagramLink;
class DesktopNotifier;
class LogActions;
class TitleCount;
class EditMenu;
class GameWindow;
class HelpMenu;
class MessageWindow;
class ProposalWindow;
class RoomLog;
class SenderWindows;
class SystemTray;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;

// The station's main window: the two rooms, the user list, the availability
// box and the status bar, the menus and the tray. The protocol is the
// station core's; this shows what it reports and sends what the user does.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
public:
    // Conditions the status bar and the tray's tooltip tell the user about,
    // most important first: only the first that holds is shown.
    // A proposal waiting ranks above the name warnings: it offers its withdrawal.
    enum class Notice { NobodyHears, AcceptRefused, Proposal, NameInUse, NameNotCarried, Alone, Count };

    // Windows a datagram may open, per sender and in all. Beyond the first
    // bound a sender's messages go into its newest message window, and its
    // proposals and declines are counted in the caption of its newest window
    // of that kind; beyond the second, what would open a window is counted and
    // said once on the console. Real users are far inside both: a proposal of
    // a game asked again is the same question, a decline comes for each of
    // our two games, a few messages come before an answer, and fewer people
    // write at once than there are windows.
    static constexpr int kMessageWindowsPerSender = 5;
    static constexpr int kProposalWindowsPerSender = 1; // of each game
    static constexpr int kDeclinedBoxesPerSender = 2;
    static constexpr int kNetworkWindowsOfAKind = 50;

    // The user list's roles: each entry's icon number and its user's exact name.
    static constexpr int kIconRole = UserListModel::kIconRole;
    static constexpr int kNameRole = UserListModel::kNameRole;

    explicit MainWindow(DatagramLink &link, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Start-up: user name and first announcement, then the window builds and
    // shows itself. Its controls exist from here on.
    void start();

    Station &station() { return m_station; }
    // The game windows, built when their game first opens; nullptr before.
    GameWindow *gameWindow(Game game) const { return m_gameWindows[indexOf(game)].get(); }
    // The newest message window and proposal window of each game, while open.
    MessageWindow *messageWindow() const;
    ProposalWindow *proposalWindow(Game game) const;

    // Sets or, with an empty text, clears a notice. Never blocks anything.
    void setNotice(Notice notice, const QString &text);
    // The notice shown now, empty when none holds.
    QString notice() const;

    // While Quillet is not the active application, a message or a proposal
    // raises a desktop notification: one per sender in this long, and no
    // more than kNotificationsPerInterval in all, so that a flood of datagrams
    // under made-up names cannot bury the desktop. A real correspondent's
    // next message within the minute is in the window the first one opened.
    static constexpr qint64 kNotificationIntervalMs = 60000;
    static constexpr int kNotificationsPerInterval = 6;

    // What arrived while the window was hidden or minimised, for the tray.
    struct Unseen {
        int workLines = 0;
        int teaLines = 0;
        int messages = 0; // private messages and proposals
    };
    // Whether Quillet is the application the user works in; tests stand in
    // for the desktop here.
    void setInUse(std::function<bool()> inUse) { m_inUse = std::move(inUse); }

signals:
    // The station has said goodbye; the program may end.
    void stationClosed();
    // A desktop notification was asked for (whether a tray can show it or not).
    void notified(const QString &title);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void buildControls();
    void buildMenus();
    void connectStation();

    void appendToLog(Room room, const QString &line);
    void addUser(const QString &name);
    void setUserAvailability(const QString &name, bool available);
    void removeUser(const QString &name);
    void showUserCount();
    QString selectedUser() const;

    GameWindow &builtGameWindow(Game game);
    void showGame(Game game);
    void leaveGame(Game game);
    void updateGameActions();
    void openReceivedMessage(const QString &sender, const QString &text, const Provenance &provenance);
    void openProposal(Game game, const QString &proposer, const Provenance &provenance);
    void showAcceptRefused(Game game, const QString &acceptor);
    void showProposalWaiting(Game game, const QString &to);
    void clearProposalWaiting(const QString &answeredBy);
    void withdrawProposal();
    void showDeclined(const QString &decliner);
    void countUnopened(QWidget *newest);
    void notify(const QString &sender, const QString &title, QWidget *window);
    bool isOutOfSight() const;
    void showUnseen();
    void layOut();

    void onRoomChanged(int index);
    void onInputChanged();
    void markWhatArrivesAsQuestionMarks();
    void showHearing(HearingCheck::State state);
    void sendChatLine();
    void onAvailabilityChosen(int index);
    void writeToSelectedUser();
    void proposeToSelectedUser(Game game);
    void onUserListPressed(Qt::MouseButton button, const QPoint &position);
    void popUpUserMenu();
    void blinkClock();
    void exitProgram();
    void openPreferences();
    void applyPreferences(const Preferences &now, const Preferences &before);
    void showNameNotCarried(const QString &wanted);
    void sayGoodbye();

    // Declared first: the windows below hold references to it.
    Station m_station;

    QTabWidget *m_rooms = nullptr;
    RoomLog *m_workLog = nullptr;
    RoomLog *m_teaLog = nullptr;
    QLabel *m_usersTitle = nullptr;
    QListView *m_userList = nullptr;
    UserListModel *m_users = nullptr;
    // The count as shown, and as the latest presence asks it to be shown.
    int m_shownUserCount = -1;
    int m_userCountDue = -1;
    QLineEdit *m_input = nullptr;
    QPushButton *m_sendButton = nullptr;
    QComboBox *m_availabilityBox = nullptr;
    QLabel *m_userCount = nullptr;
    QLabel *m_clock = nullptr;
    QLabel *m_noticeLabel = nullptr;
    QPushButton *m_withdrawButton = nullptr; // beside the waiting notice
    QAction *m_withdrawAction = nullptr;
    std::array<QString, std::size_t(Notice::Count)> m_notices;
    QMenu *m_userMenu = nullptr;
    // Tools menu, per game (Othello, Puissance 4): show it again, leave it.
    std::array<QAction *, 2> m_showGame{};
    std::array<QAction *, 2> m_leaveGame{};
    EditMenu *m_editMenu = nullptr;
    HelpMenu *m_helpMenu = nullptr;
    SystemTray *m_tray = nullptr;
    DesktopNotifier *m_notifier = nullptr;
    TitleCount *m_titleCount = nullptr;
    LogActions *m_logActions = nullptr;
    Preferences m_preferences;
    QTimer *m_clockTimer = nullptr;
    QTimer *m_userMenuTimer = nullptr;
    QPoint m_userMenuAt;

    std::array<std::unique_ptr<GameWindow>, 2> m_gameWindows; // by indexOf(Game)
    QPointer<MessageWindow> m_lastMessage;
    std::array<QPointer<ProposalWindow>, 2> m_lastProposals;
    // Windows opened by datagrams, bounded per sender and in all.
    SenderWindows *m_receivedMessages = nullptr;
    std::array<SenderWindows *, 2> m_proposals{};
    SenderWindows *m_declines = nullptr;
    int m_unopened = 0; // datagrams that found every window taken

    Room m_room = Room::Work;
    bool m_closed = false;

    // Each control's place at the designed size, and which way it follows
    // the window as it grows: the designed layout stays as it is, and the
    // logs and the user list take the new room.
    struct Anchor {
        QWidget *widget;
        QRect design;
        int follows; // Follow flags
    };
    std::vector<Anchor> m_anchors;
    QSize m_designSize;
    Unseen m_unseen;
    QHash<QString, qint64> m_lastNotified; // by sender, for the notification bound
    QPointer<QWidget> m_notifiedWindow;    // what a click on the notification brings forward
    std::function<bool()> m_inUse = [] { return QGuiApplication::applicationState() == Qt::ApplicationActive; };
    QString m_proposedTo; // whom the status bar says a proposal waits on
    Game m_proposedGame = Game::Othello;
};
