#pragma once

#include "net/station.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class DatagramLink;
class EditMenu;
class HelpMenu;
class MessageWindow;
class OthelloWindow;
class ProposalWindow;
class Puissance4Window;
class RoomLog;
class SystemTray;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
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
    enum class Notice { NobodyHears, Alone, NameInUse };

    // The user list keeps each entry's icon number (1 available, 2 not) under this role.
    static constexpr int kIconRole = Qt::UserRole;

    explicit MainWindow(DatagramLink &link, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Start-up: user name and first announcement, then the window builds and
    // shows itself. Its controls exist from here on.
    void start();

    Station &station() { return m_station; }
    OthelloWindow &othelloWindow() { return *m_othello; }
    Puissance4Window &puissance4Window() { return *m_puissance4; }
    // The newest message window and proposal window of each game, while open.
    MessageWindow *messageWindow() const;
    ProposalWindow *proposalWindow(Game game) const;

    // Sets or, with an empty text, clears a notice. Never blocks anything.
    void setNotice(Notice notice, const QString &text);
    // The notice shown now, empty when none holds.
    QString notice() const;

signals:
    // The station has said goodbye; the program may end.
    void stationClosed();

protected:
    void closeEvent(QCloseEvent *event) override;
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
    QListWidgetItem *findUser(const QString &name) const;
    void showUserCount();
    QString selectedUser() const;

    void openGame(Game game);
    void openReceivedMessage(const QString &sender, const QString &text);
    void openProposal(Game game, const QString &proposer);
    void showDeclined(const QString &decliner);

    void onRoomChanged(int index);
    void onInputChanged();
    void onInputLeft();
    void sendChatLine();
    void onAvailabilityChosen(int index);
    void writeToSelectedUser();
    void proposeToSelectedUser(Game game);
    void onUserListPressed(Qt::MouseButton button, const QPoint &position);
    void popUpUserMenu();
    void blinkClock();
    void exitProgram();
    void clearLog();
    void sayGoodbye();

    // Declared first: the windows below hold references to it.
    Station m_station;

    QTabWidget *m_rooms = nullptr;
    RoomLog *m_workLog = nullptr;
    RoomLog *m_teaLog = nullptr;
    QLabel *m_usersTitle = nullptr;
    QListWidget *m_userList = nullptr;
    QLineEdit *m_input = nullptr;
    QPushButton *m_sendButton = nullptr;
    QComboBox *m_availabilityBox = nullptr;
    QLabel *m_userCount = nullptr;
    QLabel *m_clock = nullptr;
    QLabel *m_noticeLabel = nullptr;
    std::array<QString, 3> m_notices;
    QMenu *m_userMenu = nullptr;
    EditMenu *m_editMenu = nullptr;
    HelpMenu *m_helpMenu = nullptr;
    SystemTray *m_tray = nullptr;
    QTimer *m_clockTimer = nullptr;
    QTimer *m_userMenuTimer = nullptr;
    QPoint m_userMenuAt;

    std::unique_ptr<OthelloWindow> m_othello;
    std::unique_ptr<Puissance4Window> m_puissance4;
    QPointer<MessageWindow> m_lastMessage;
    QPointer<ProposalWindow> m_othelloProposal;
    QPointer<ProposalWindow> m_puissance4Proposal;

    Room m_room = Room::Work;
    bool m_closed = false;
};
