#include "mainwindow/mainwindow.h"

#include "dialogs/messagewindow.h"
#include "dialogs/notes.h"
#include "dialogs/proposalwindow.h"
#include "look/look.h"
#include "look/names.h"
#include "look/placement.h"
#include "mainwindow/desktopnotifier.h"
#include "mainwindow/editmenu.h"
#include "mainwindow/helpmenu.h"
#include "mainwindow/logactions.h"
#include "mainwindow/preferencesdialog.h"
#include "mainwindow/roomlog.h"
#include "mainwindow/senderwindows.h"
#include "mainwindow/systemtray.h"
#include "mainwindow/titlecount.h"
#include "othello/othellowindow.h"
#include "puissance4/puissance4window.h"
#include "station/datagramlink.h"
#include "wire/carriedtext.h"
#include "wire/typedtext.h"
#include "wire/wire.h"

#include <QApplication>
#include <QDateTime>
#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTime>
#include <QTimer>
#include <QToolTip>

namespace {

constexpr int kUserMenuDelayMs = 100; // the user list's menu follows a right click after this
// The clock ticks this long after each second begins: a timer may fire a
// little early, and a tick just before the second would show the old one.
constexpr int kClockLateMs = 20;
const QString kClockFormat = QStringLiteral("hh:mm:ss");
constexpr int kClockBlinkAt = 5; // the colon between minutes and seconds

// Which way a control follows the window as it grows: its left edge with the
// right edge, its top with the bottom, its width, its height.
enum Follow { Right = 1, Bottom = 2, Wider = 4, Taller = 8 };

// As desktops do (GNOME after 10 s), the caret blinks while the user types
// and holds still once nobody has typed, clicked or moved the focus for this
// long: a blinking caret would wake an idle station twice a second.
constexpr int kCaretRestMs = 10000;

// Watches the whole program's input for the caret: any key, click or focus
// change blinks it again and restarts the one timer that stills it.
class CaretRest final : public QObject
{
public:
    explicit CaretRest(QObject *parent)
        : QObject(parent)
    {
        // Read before this program first stills it, so it is the platform's.
        static const int platformFlashTime = QApplication::cursorFlashTime();
        m_blinking = platformFlashTime;
        m_rest = look::named(new QTimer(this), "CaretRest");
        m_rest->setSingleShot(true);
        connect(m_rest, &QTimer::timeout, this, [] { QApplication::setCursorFlashTime(0); });
        qApp->installEventFilter(this);
        wake();
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::FocusIn:
            wake();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void wake()
    {
        if (QApplication::cursorFlashTime() != m_blinking)
            QApplication::setCursorFlashTime(m_blinking);
        m_rest->start(kCaretRestMs);
    }

    int m_blinking = 0;
    QTimer *m_rest = nullptr;
};

} // namespace

MainWindow::MainWindow(DatagramLink &link, QWidget *parent)
    : QMainWindow(parent)
    , m_station(link)
{
    setObjectName(QStringLiteral("Form1"));
    m_station.setParent(this);
}

void MainWindow::build()
{
    buildControls();
    buildMenus();

    m_receivedMessages = new SenderWindows(kMessageWindowsPerSender, kNetworkWindowsOfAKind, this);
    for (SenderWindows *&proposals : m_proposals)
        proposals = new SenderWindows(kProposalWindowsPerSender, kNetworkWindowsOfAKind, this);
    m_declines = new SenderWindows(kDeclinedBoxesPerSender, kNetworkWindowsOfAKind, this);
    connectStation();

    // Once a second, at the turn of the second: the colon blinks at that pace,
    // and nothing else wakes an idle station.
    m_clockTimer = look::named(new QTimer(this), "Timer3");
    m_clockTimer->setSingleShot(true);
    m_clockTimer->setTimerType(Qt::PreciseTimer);
    connect(m_clockTimer, &QTimer::timeout, this, &MainWindow::blinkClock);
    m_userMenuTimer = look::named(new QTimer(this), "Timer4");
    m_userMenuTimer->setInterval(kUserMenuDelayMs);
    m_userMenuTimer->setSingleShot(true);
    connect(m_userMenuTimer, &QTimer::timeout, this, &MainWindow::popUpUserMenu);
    new CaretRest(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::connectStation()
{
    Station *s = &m_station;
    connect(s, &Station::chatLineReceived, this, &MainWindow::appendToLog);
    connect(s, &Station::userSeen, this, &MainWindow::addUser);
    connect(s, &Station::userAvailabilityChanged, this, &MainWindow::setUserAvailability);
    connect(s, &Station::userGone, this, &MainWindow::removeUser);
    connect(s, &Station::nameInUse, this, [this](const QString &name) {
        setNotice(Notice::NameInUse, tr("Another station on this network uses the name %1").arg(name));
    });
    connect(s, &Station::nameInUseEnded, this, [this] { setNotice(Notice::NameInUse, {}); });
    connect(s, &Station::acceptRefused, this, &MainWindow::showAcceptRefused);
    connect(s, &Station::privateMessageReceived, this, &MainWindow::openReceivedMessage);
    connect(s, &Station::proposalReceived, this, &MainWindow::openProposal);
    connect(s, &Station::proposalDeclined, this, &MainWindow::showDeclined);
    connect(s, &Station::proposalWaiting, this, &MainWindow::showProposalWaiting);
    connect(s, &Station::proposalDeclined, this, &MainWindow::clearProposalWaiting);
    connect(s, &Station::proposalExpired, this, [this](Game, const QString &to) { clearProposalWaiting(to); });
    connect(s, &Station::acceptRefused, this, [this](Game, const QString &acceptor) { clearProposalWaiting(acceptor); });
    connect(s, &Station::gameStarted, this, [this](Game game, const QString &opponent) {
        clearProposalWaiting(opponent);
        setNotice(Notice::AcceptRefused, {});
        // An accept heard from the network; the user's own accept activates it below.
        builtGameWindow(game).showGameUnasked();
    });
    for (const Game game : kGames) {
        connect(&s->match(game), &Match::boardReceived, this, [this, game] { builtGameWindow(game).boardArrived(); });
    }
    connect(s, &Station::hearingChanged, this, &MainWindow::showHearing);
}

// Built on first use: most runs never play, and each window costs its cells
// and pictures at start-up.
GameWindow &MainWindow::builtGameWindow(Game game)
{
    using Build = std::unique_ptr<GameWindow> (*)(Station &, QWidget *);
    static const std::array<Build, 2> build{
        [](Station &station, QWidget *owner) -> std::unique_ptr<GameWindow> {
            return std::make_unique<OthelloWindow>(station.match<OthelloMatch>(), owner);
        },
        [](Station &station, QWidget *owner) -> std::unique_ptr<GameWindow> {
            return std::make_unique<Puissance4Window>(station.match<Puissance4Match>(), owner);
        },
    };
    std::unique_ptr<GameWindow> &window = m_gameWindows[indexOf(game)];
    if (!window)
        window = build[indexOf(game)](m_station, this);
    return *window;
}

void MainWindow::buildControls()
{
    setWindowTitle(tr("Quillet"));
    setWindowIcon(look::sailIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(look::verdana(look::kSmallPoints));

    auto *client = look::named(new QWidget(this), "client");
    // The designed size is the smallest; the window grows from it.
    m_designSize = QSize(look::px(9600), look::px(5055));
    client->setMinimumSize(m_designSize);
    client->installEventFilter(this);
    look::setBackground(*client, look::Picture::Warm, look::kWindowBack);
    setCentralWidget(client);

    m_rooms = look::named(new QTabWidget(client), "SSTab1");
    m_rooms->setGeometry(look::twips(120, 120, 7695, 4095));
    // The logs' rectangles are given in the tab control's own coordinates.
    const QRect logRect = look::twips(240, 480, 7215, 3375);
    const auto makeRoom = [this, logRect](const char *name, const QString &caption) {
        auto *page = new QWidget;
        auto *log = look::named(new RoomLog(page), name);
        log->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        log->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        log->setProperty("rectInTab", logRect);
        m_rooms->addTab(page, caption);
        return log;
    };
    m_workLog = makeRoom("Text1", tr("Work room"));
    m_teaLog = makeRoom("Text2", tr("Tea room"));
    m_rooms->setAccessibleName(tr("Rooms"));
    m_workLog->setAccessibleName(tr("Work room log"));
    m_teaLog->setAccessibleName(tr("Tea room log"));
    connect(m_rooms, &QTabWidget::currentChanged, this, &MainWindow::onRoomChanged);

    m_usersTitle = look::named(new QLabel(tr("Users List"), client), "Label2");
    m_usersTitle->setGeometry(look::twips(8040, 240, 1455, 255));
    m_usersTitle->setAlignment(Qt::AlignCenter);
    m_usersTitle->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_usersTitle->setAutoFillBackground(true);
    QPalette titlePalette = m_usersTitle->palette();
    titlePalette.setColor(QPalette::Window, look::kPanelGrey);
    titlePalette.setColor(QPalette::WindowText, palette().color(QPalette::Text));
    m_usersTitle->setPalette(titlePalette);

    m_users = new UserListModel(this);
    m_userList = look::named(new QListView(client), "ListView1");
    m_userList->setGeometry(look::twips(8040, 600, 1455, 3375));
    m_userList->setViewMode(QListView::ListMode);
    m_userList->setFlow(QListView::TopToBottom);
    m_userList->setWrapping(true);
    m_userList->setIconSize(QSize(16, 16));
    m_userList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_userList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One entry measured per layout, not every entry: all are as wide as the widest.
    m_userList->setUniformItemSizes(true);
    m_userList->setItemDelegate(m_users->makeDelegate(m_userList));
    m_users->setFont(m_userList->font());
    m_userList->setModel(m_users);
    m_userList->viewport()->installEventFilter(this);
    connect(m_userList, &QListView::doubleClicked, this, &MainWindow::writeToSelectedUser);
    connect(m_users, &UserListModel::flushed, this, &MainWindow::showUserCount);
    m_userList->setAccessibleName(tr("Users"));
    m_userList->setAccessibleDescription(tr("Double-click a name to write to that user; right-click it for games"));

    m_input = look::named(new QLineEdit(client), "Text3");
    m_input->setGeometry(look::twips(120, 4320, 7695, 315));
    m_input->setMaxLength(wire::kMaxTypedText);
    connect(m_input, &QLineEdit::textChanged, this, &MainWindow::onInputChanged);
    // Enter does what Send does, wherever the focus has been in between.
    connect(m_input, &QLineEdit::returnPressed, this, &MainWindow::sendChatLine);
    m_input->setAccessibleName(tr("Chat line"));
    m_input->setAccessibleDescription(tr("Enter sends it to the room shown"));

    m_sendButton = look::named(new QPushButton(tr("Send"), client), "Command2");
    m_sendButton->setGeometry(look::twips(240, 4320, 1215, 255));
    m_sendButton->setFont(look::verdana(look::kLargePoints));
    m_sendButton->setEnabled(false);
    m_sendButton->setDefault(true);
    // Clicking Send leaves the focus in the input line, ready for the next line.
    m_sendButton->setFocusPolicy(Qt::NoFocus);
    connect(m_sendButton, &QPushButton::clicked, this, &MainWindow::sendChatLine);
    // The button lies over the input line's left end; typed text starts beside it.
    m_input->setTextMargins(m_sendButton->geometry().right() - m_input->x() + 2, 0, 0, 0);

    m_availabilityBox = look::named(new QComboBox(client), "Combo1");
    // 60 twips wider than the list above, to the left: DejaVu Sans, which stands
    // in for Verdana, needs them to show "Not Available" whole.
    m_availabilityBox->setGeometry(look::twips(7980, 4320, 1515, 315));
    connect(m_availabilityBox, &QComboBox::currentIndexChanged, this, &MainWindow::onAvailabilityChosen);
    m_availabilityBox->setAccessibleName(tr("Your availability"));

    auto *statusBar = look::named(new QStatusBar(client), "StatusBar1");
    // As high as the input line, 60 twips into the gap above it: the panels
    // need the height for a line of DejaVu Sans in their frames.
    statusBar->setGeometry(look::twips(0, 4740, 9600, 315));
    statusBar->setSizeGripEnabled(false);
    statusBar->setAutoFillBackground(true);
    look::continuePicture(*statusBar, look::Picture::Warm);
    // The picture runs from dark red to pale yellow under the bar: no one text
    // colour reads on all of it, so each panel brings its own backing.
    m_userCount = look::statusPanel(*look::named(new QLabel(statusBar), "StatusPanel1"));
    m_clock = look::statusPanel(*look::named(new QLabel(statusBar), "StatusPanel2"));
    m_noticeLabel = look::statusPanel(*look::named(new QLabel(statusBar), "noticePanel"));
    m_noticeLabel->setTextFormat(Qt::PlainText);
    m_userCount->setAccessibleName(tr("Connected users"));
    m_clock->setAccessibleName(tr("Clock"));
    m_noticeLabel->setAccessibleName(tr("Notice"));
    statusBar->addWidget(m_userCount);
    statusBar->addWidget(m_noticeLabel, 1);
    m_withdrawButton = look::named(new QPushButton(tr("Withdraw"), statusBar), "withdrawProposal");
    m_withdrawButton->setAccessibleDescription(tr("Takes back the proposal still waiting for an answer"));
    connect(m_withdrawButton, &QPushButton::clicked, this, &MainWindow::withdrawProposal);
    statusBar->addWidget(m_withdrawButton);
    m_withdrawButton->hide();
    statusBar->addPermanentWidget(m_clock);
    // Shown while a notice holds: an empty panel would be a grey bar saying nothing.
    m_noticeLabel->hide();
    m_logActions = new LogActions(*m_rooms, {m_workLog, m_teaLog}, *statusBar);
    m_titleCount = new TitleCount(*this);

    // In reading order: the rooms, the user list, then the line below them.
    setTabOrder(m_rooms, m_userList);
    setTabOrder(m_userList, m_input);
    setTabOrder(m_input, m_availabilityBox);

    m_anchors = {{m_rooms, m_rooms->geometry(), Wider | Taller},
                 {m_usersTitle, m_usersTitle->geometry(), Right},
                 {m_userList, m_userList->geometry(), Right | Taller},
                 {m_input, m_input->geometry(), Bottom | Wider},
                 {m_sendButton, m_sendButton->geometry(), Bottom},
                 {m_availabilityBox, m_availabilityBox->geometry(), Right | Bottom},
                 {statusBar, statusBar->geometry(), Bottom | Wider}};
}

void MainWindow::layOut()
{
    const QSize grown = centralWidget()->size() - m_designSize;
    for (const Anchor &anchor : m_anchors) {
        QRect place = anchor.design;
        place.translate(anchor.follows & Right ? grown.width() : 0, anchor.follows & Bottom ? grown.height() : 0);
        place.setSize(place.size() + QSize(anchor.follows & Wider ? grown.width() : 0, anchor.follows & Taller ? grown.height() : 0));
        anchor.widget->setGeometry(place);
    }
}

void MainWindow::buildMenus()
{
    QMenu *fileMenu = look::named(menuBar()->addMenu(tr("&File")), "File");
    QAction *saveLog = look::addNamedAction(fileMenu, tr("Save log &as..."), "mnuSaveLogAs");
    saveLog->setShortcut(QKeySequence::SaveAs);
    connect(saveLog, &QAction::triggered, m_logActions, &LogActions::saveShownLog);
    fileMenu->addSeparator();
    connect(look::addNamedAction(fileMenu, tr("&Exit"), "mnuExitProgram"), &QAction::triggered, this,
            &MainWindow::exitProgram);

    m_editMenu = new EditMenu(this);
    menuBar()->addMenu(m_editMenu->menu());

    QMenu *toolsMenu = look::named(menuBar()->addMenu(tr("&Tools")), "Tools");
    connect(look::addNamedAction(toolsMenu, tr("&Clear log"), "mnuClearlog"), &QAction::triggered, m_logActions,
            &LogActions::clearShownLog);
    connect(look::addNamedAction(toolsMenu, tr("&Preferences..."), "mnuPreferences"), &QAction::triggered, this,
            &MainWindow::openPreferences);
    // A closed game window does not end its game; these bring it back or end it.
    toolsMenu->addSeparator();
    const auto gameAction = [this, toolsMenu](const QString &text, const char *name, auto handler) {
        QAction *action = look::addNamedAction(toolsMenu, text, name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    m_showGame = {gameAction(tr("Show the &Othello game"), "mnuShowOthello", [this] { showGame(Game::Othello); }),
                  gameAction(tr("Show the &Puissance 4 game"), "mnuShowPuissance4",
                             [this] { showGame(Game::Puissance4); })};
    m_leaveGame = {gameAction(tr("&Leave the Othello game"), "mnuLeaveOthello", [this] { leaveGame(Game::Othello); }),
                   gameAction(tr("Leave the Puissance &4 game"), "mnuLeavePuissance4",
                              [this] { leaveGame(Game::Puissance4); })};
    m_withdrawAction = gameAction(tr("&Withdraw the proposal"), "mnuWithdrawProposal", [this] { withdrawProposal(); });
    connect(toolsMenu, &QMenu::aboutToShow, this, &MainWindow::updateGameActions);
    updateGameActions();

    m_helpMenu = new HelpMenu(this);
    menuBar()->addMenu(m_helpMenu->menu());
    m_tray = new SystemTray(this);
    m_notifier = new DesktopNotifier(this);
    m_notifier->setSounds(m_preferences.sounds);
    // A click on a notification brings forward the window it told of.
    connect(m_tray, &SystemTray::notificationClicked, this, [this] {
        if (m_notifiedWindow)
            look::bringForward(*m_notifiedWindow);
    });

    m_userMenu = look::named(new QMenu(tr("&Options"), this), "mnuPopupList1");
    connect(look::addNamedAction(m_userMenu, tr("Send a message"), "mnuSendMessage"),
            &QAction::triggered, this, &MainWindow::writeToSelectedUser);
    connect(look::addNamedAction(m_userMenu, tr("Propose a game of Othello"), "mnuProposeOthello"),
            &QAction::triggered, this, [this] { proposeToSelectedUser(Game::Othello); });
    connect(look::addNamedAction(m_userMenu, tr("Propose a game of Puissance 4"), "mnuProposePuissance4"),
            &QAction::triggered, this, [this] { proposeToSelectedUser(Game::Puissance4); });
}

void MainWindow::start()
{
    // The first broadcast goes out before anything else is built: peers hear
    // of this station while its window is still being made. The station's
    // signals are heard from the event loop on, once everything is built.
    m_station.setAvailability(0);
    m_preferences = Preferences::load();
    const QString wanted = stationUserName(m_preferences.name);
    m_station.start(wanted);
    build();
    showNameNotCarried(wanted);

    m_users->clear();
    {
        // Filling the box selects its first item; the station already said so.
        const QSignalBlocker quiet(m_availabilityBox);
        m_availabilityBox->clear();
        m_availabilityBox->addItem(tr("Available"));
        m_availabilityBox->addItem(tr("Not Available"));
        m_availabilityBox->setCurrentIndex(0);
    }
    m_room = Room::Work;

    m_clock->setText(QTime::currentTime().toString(kClockFormat));
    // Its digits are as wide as one another: held at this size, a tick
    // repaints the panel and lays out nothing.
    m_clock->setFixedSize(m_clock->sizeHint());
    m_clockTimer->start(1000 - QTime::currentTime().msec() + kClockLateMs);

    adjustSize();
    setMinimumSize(sizeHint());
    resize(sizeHint());
    look::centreOn(*this, nullptr);
    show();

    // The logs' rectangles are in the tab control's coordinates; the pages
    // sit below the tab bar, whose place is known once the tabs are shown.
    // They grow with their pages.
    for (RoomLog *log : {m_workLog, m_teaLog}) {
        const QRect inTab = log->property("rectInTab").toRect();
        const QPoint pageOrigin = log->parentWidget()->parentWidget()->mapTo(m_rooms, QPoint());
        log->setGeometry(inTab.translated(-pageOrigin));
        log->parentWidget()->installEventFilter(this);
        log->setProperty("marginInPage", QSize(m_rooms->width() - inTab.width(), m_rooms->height() - inTab.height()));
    }
    m_input->setFocus();
    // The tray talks to the desktop, which takes a while; nothing before it needs it.
    m_tray->show();
}

void MainWindow::setNotice(Notice notice, const QString &text)
{
    m_notices[std::size_t(notice)] = text;
    const QString shown = this->notice();
    m_noticeLabel->setText(shown);
    m_noticeLabel->setVisible(!shown.isEmpty());
    m_noticeLabel->setToolTip(shown);
    m_withdrawButton->setVisible(!shown.isEmpty() && shown == m_notices[std::size_t(Notice::Proposal)]);
    m_tray->setNotice(shown);
}

QString MainWindow::notice() const
{
    for (const QString &text : m_notices) {
        if (!text.isEmpty())
            return text;
    }
    return {};
}

MessageWindow *MainWindow::messageWindow() const
{
    return m_lastMessage;
}

ProposalWindow *MainWindow::proposalWindow(Game game) const
{
    return m_lastProposals[indexOf(game)];
}

void MainWindow::appendToLog(Room room, const QString &line)
{
    (room == Room::Work ? m_workLog : m_teaLog)->appendLine(line);
    m_titleCount->lineArrived();
    // A room not shown is marked until it is; its name stays as it is.
    const int tab = room == Room::Work ? 0 : 1;
    if (tab != m_rooms->currentIndex() && m_rooms->tabIcon(tab).isNull())
        m_rooms->setTabIcon(tab, look::unreadIcon());
    if (isOutOfSight()) {
        ++(room == Room::Work ? m_unseen.workLines : m_unseen.teaLines);
        showUnseen();
    }
}

bool MainWindow::isOutOfSight() const
{
    return !isVisible() || isMinimized();
}

// The tray says what arrived while the window was out of sight, and forgets
// it once the window is back.
void MainWindow::showUnseen()
{
    QStringList counts;
    if (m_unseen.workLines)
        counts << tr("Work room: %n new line(s)", nullptr, m_unseen.workLines);
    if (m_unseen.teaLines)
        counts << tr("Tea room: %n new line(s)", nullptr, m_unseen.teaLines);
    if (m_unseen.messages)
        counts << tr("%n new message(s)", nullptr, m_unseen.messages);
    m_tray->showUnseen(counts.join(u'\n'));
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    m_unseen = {};
    if (m_tray)
        showUnseen();
}

void MainWindow::addUser(const QString &name)
{
    m_users->add(name);
    // Every presence sets the count to the entries listed then, as every
    // station shows it, so a departure shows at the next presence. The label
    // is set at the list's next frame, and only when its number moves.
    m_userCountDue = m_users->countAfterFlush();
    if (m_userCountDue != m_shownUserCount)
        m_users->flushSoon();
}

void MainWindow::setUserAvailability(const QString &name, bool available)
{
    m_users->setAvailable(name, available);
}

void MainWindow::removeUser(const QString &name)
{
    // The count waits for the next presence, as every station shows it.
    m_users->remove(name);
}

void MainWindow::showUserCount()
{
    if (m_userCountDue == m_shownUserCount)
        return;
    m_shownUserCount = m_userCountDue;
    m_userCount->setText(tr("Connected users: %1").arg(m_shownUserCount));
}

QString MainWindow::selectedUser() const
{
    const QModelIndexList selected = m_userList->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QString() : selected.front().data(kNameRole).toString();
}

void MainWindow::showGame(Game game)
{
    if (m_station.match(game).isPlaying() && gameWindow(game))
        gameWindow(game)->showGame();
}

void MainWindow::leaveGame(Game game)
{
    m_station.match(game).leave();
}

void MainWindow::updateGameActions()
{
    for (const Game game : kGames) {
        m_showGame[indexOf(game)]->setEnabled(m_station.match(game).isPlaying());
        m_leaveGame[indexOf(game)]->setEnabled(m_station.match(game).isPlaying());
    }
    m_withdrawAction->setEnabled(!m_proposedTo.isEmpty());
}

void MainWindow::openReceivedMessage(const QString &sender, const QString &text, const Provenance &provenance)
{
    const QString time = timeOfDay(QTime::currentTime());
    if (!m_receivedMessages->mayOpen(sender)) {
        if (auto *newest = qobject_cast<MessageWindow *>(m_receivedMessages->newest(sender)))
            newest->addReceived(text, time, provenance);
        else
            countUnopened(nullptr);
        return;
    }
    auto *window = new MessageWindow(m_station, this);
    m_receivedMessages->add(sender, window);
    m_lastMessage = window;
    window->openReceived(sender, text, time, provenance);
    notify(sender, tr("Message from %1").arg(sender), window);
}

void MainWindow::openProposal(Game game, const QString &proposer, const Provenance &provenance)
{
    SenderWindows *proposals = m_proposals[indexOf(game)];
    if (!proposals->mayOpen(proposer)) {
        countUnopened(proposals->newest(proposer));
        return;
    }
    auto *window = new ProposalWindow(m_station, game, proposer, provenance, this);
    proposals->add(proposer, window);
    m_lastProposals[indexOf(game)] = window;
    connect(window, &ProposalWindow::accepted, this, [this, game] { builtGameWindow(game).showGame(); });
    window->open();
    // Never over the board of the game being played.
    if (const GameWindow *board = gameWindow(game); board && board->isVisible())
        look::placeClearOf(*window, *board);
    notify(proposer,
           game == Game::Othello ? tr("%1 proposes a game of Othello").arg(proposer)
                                 : tr("%1 proposes a game of Puissance 4").arg(proposer),
           window);
}

// A desktop notification while Quillet is not the active application, bounded
// per sender and in all. The peer's words go in the title, which desktops show
// as plain text.
void MainWindow::notify(const QString &sender, const QString &title, QWidget *window)
{
    if (isOutOfSight()) {
        ++m_unseen.messages;
        showUnseen();
    }
    if (m_inUse() || !m_preferences.notifications)
        return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    m_lastNotified.removeIf([now](const auto &entry) { return now - entry.value() >= kNotificationIntervalMs; });
    if (m_lastNotified.contains(sender) || m_lastNotified.size() >= kNotificationsPerInterval)
        return;
    m_lastNotified.insert(sender, now);
    // The desktop's own service shows them with or without a tray.
    if (m_notifier->serviceAvailable()) {
        m_notifier->notify(sender, title, tr("Click to see it."), window);
    } else {
        m_notifiedWindow = window;
        m_tray->notify(title, tr("Click to see it."));
    }
    emit notified(title);
}

// The accept came while a game of that kind is on: said until the next game
// begins, for the acceptor's window may show a game that will not go on.
void MainWindow::showAcceptRefused(Game game, const QString &acceptor)
{
    setNotice(Notice::AcceptRefused, game == Game::Othello
                                         ? tr("%1 accepted Othello, but your game is on: propose again after it").arg(acceptor)
                                         : tr("%1 accepted Puissance 4, but your game is on: propose again after it").arg(acceptor));
}

// A window a datagram would have opened is counted in the caption of the
// sender's newest one, or, with none, once on the console.
void MainWindow::countUnopened(QWidget *newest)
{
    if (!newest) {
        if (m_unopened++ == 0)
            qWarning("Quillet: too many windows opened by the network; further ones are not opened");
        return;
    }
    const int count = newest->property("unopened").toInt() + 1;
    if (count == 1)
        newest->setProperty("caption", newest->windowTitle());
    newest->setProperty("unopened", count);
    newest->setWindowTitle(newest->property("caption").toString() + tr(" (%1 more)").arg(count));
}

void MainWindow::showDeclined(const QString &decliner)
{
    if (!m_declines->mayOpen(decliner)) {
        countUnopened(m_declines->newest(decliner));
        return;
    }
    // Not exec(): a modal loop here would hold up every datagram behind it.
    auto *box = new QMessageBox(QMessageBox::Information, tr("Declined"),
                                tr("%1 has declined your offer...").arg(decliner),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("Declined"));
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    m_declines->add(decliner, box);
    look::showUnasked(*box);
}

void MainWindow::onRoomChanged(int index)
{
    m_room = index == 0 ? Room::Work : Room::Tea;
    m_rooms->setTabIcon(index, QIcon());
}

// Send follows the text alone: where the focus has been since does not matter.
void MainWindow::onInputChanged()
{
    m_sendButton->setEnabled(!m_input->text().isEmpty());
    markWhatArrivesAsQuestionMarks();
}

void MainWindow::markWhatArrivesAsQuestionMarks()
{
    // The line still goes out as typed; the sender only learns beforehand
    // what others will read.
    const QString note = notes::lostInTransit(wire::lostInTransit(m_input->text()));
    const bool wasMarked = !m_input->toolTip().isEmpty();
    m_input->setToolTip(note);
    QPalette palette;
    if (!note.isEmpty())
        palette.setColor(QPalette::Base, look::kLossyInputBack);
    m_input->setPalette(palette);
    // Shown at the first such character, and kept up to date while it shows.
    if (!note.isEmpty() && (!wasMarked || QToolTip::isVisible()) && m_input->isVisible())
        QToolTip::showText(m_input->mapToGlobal(QPoint(0, m_input->height())), note, m_input);
}

void MainWindow::showHearing(HearingCheck::State state)
{
    QString nobodyHears;
    if (state == HearingCheck::State::NobodyHears) {
        // Short enough for the status bar beside the user count and the clock.
        const QString &failure = m_station.sendFailure();
        nobodyHears = failure.isEmpty()
            ? tr("Nobody hears you: check the network and that UDP port %1 is open").arg(wire::kPort)
            : tr("Nobody hears you: %1. Check the cable or Wi-Fi").arg(failure);
    }
    setNotice(Notice::NobodyHears, nobodyHears);
    setNotice(Notice::Alone, state == HearingCheck::State::Alone
                                 ? tr("No other station heard on this network yet")
                                 : QString());
}

void MainWindow::sendChatLine()
{
    const QString text = m_input->text();
    const wire::TypedTextFault fault = wire::typedTextFault(text, wire::Lines::One);
    if (fault == wire::TypedTextFault::Separator)
        look::refuseSeparator(*this);
    if (fault != wire::TypedTextFault::None)
        return;
    m_station.sendChatLine(m_room, text);
    m_input->clear();
}

void MainWindow::onAvailabilityChosen(int index)
{
    if (index >= 0)
        m_station.setAvailability(index);
}

void MainWindow::writeToSelectedUser()
{
    if (!m_userList->selectionModel()->hasSelection())
        return;
    auto *window = new MessageWindow(m_station, this);
    m_lastMessage = window;
    window->openToWrite(selectedUser());
}

void MainWindow::proposeToSelectedUser(Game game)
{
    if (m_userList->selectionModel()->hasSelection())
        m_station.proposeGame(game, selectedUser());
}

// Said until the accept, the decline, or the proposal's time-out.
void MainWindow::showProposalWaiting(Game game, const QString &to)
{
    m_proposedTo = to;
    m_proposedGame = game;
    setNotice(Notice::Proposal, game == Game::Othello ? tr("Othello proposed to %1, waiting for an answer").arg(to)
                                                      : tr("Puissance 4 proposed to %1, waiting for an answer").arg(to));
}

void MainWindow::clearProposalWaiting(const QString &answeredBy)
{
    if (m_proposedTo == answeredBy) {
        m_proposedTo.clear();
        setNotice(Notice::Proposal, {});
    }
}

// Only the proposal the status bar tells of: the one the user sees.
void MainWindow::withdrawProposal()
{
    if (m_proposedTo.isEmpty())
        return;
    m_station.withdrawProposal(m_proposedGame, m_proposedTo);
    clearProposalWaiting(m_proposedTo);
}

void MainWindow::onUserListPressed(Qt::MouseButton button, const QPoint &position)
{
    if (button != Qt::RightButton)
        return;
    m_userMenuAt = position;
    m_userMenuTimer->start();
}

void MainWindow::popUpUserMenu()
{
    const QPoint inList = m_userList->geometry().topLeft() + m_userMenuAt;
    m_userMenu->popup(m_userList->parentWidget()->mapToGlobal(inList));
}

void MainWindow::blinkClock()
{
    const QTime time = QTime::currentTime();
    QString now = time.toString(kClockFormat);
    if (m_clock->text().mid(kClockBlinkAt, 1) == QLatin1String(":"))
        now[kClockBlinkAt] = u' ';
    m_clock->setText(now);
    m_clockTimer->start(1000 - time.msec() + kClockLateMs);
}

void MainWindow::exitProgram()
{
    m_station.sendDeparture();
    close();
}

// Every other station reads and addresses the name as the wire carries it.
void MainWindow::showNameNotCarried(const QString &wanted)
{
    setNotice(Notice::NameNotCarried,
              m_station.userName() == wanted
                  ? QString()
                  : tr("Others see your name as %1: choose another in Tools > Preferences")
                        .arg(m_station.userName()));
}

// Not exec(): a modal loop here would hold up every datagram behind it.
void MainWindow::openPreferences()
{
    auto *dialog = new PreferencesDialog(m_preferences, stationUserName(), accountFullName(), m_tray->available(),
                                         this);
    connect(dialog, &PreferencesDialog::changed, this, &MainWindow::applyPreferences);
    dialog->open();
}

void MainWindow::applyPreferences(const Preferences &now, const Preferences &before)
{
    m_preferences = now;
    m_notifier->setSounds(now.sounds);
    // USERNAME, where set, names the station whatever the choice.
    const QString wanted = stationUserName(now.name);
    if (wanted != stationUserName(before.name)) {
        m_station.rename(wanted);
        showNameNotCarried(wanted);
    }
}

void MainWindow::sayGoodbye()
{
    m_station.sendDeparture();
    m_tray->hide();
    // The station stops: its games end with it, whatever their windows show.
    for (const Game game : kGames) {
        m_station.endGame(game);
        if (gameWindow(game))
            gameWindow(game)->close();
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A window that never started has no station to stop.
    if (!m_closed && m_station.isStarted()) {
        m_closed = true;
        sayGoodbye();
        m_station.stop();
        m_clockTimer->stop();
        emit stationClosed();
    }
    event->accept();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Minimised, the station lives on in the tray if the user wants it there;
    // without a tray icon the window stays in the task bar, or nothing could
    // bring it back. Asked at each minimise: a tray may come or go.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_preferences.minimiseToTray
        && m_tray->available())
        hide();
    if (event->type() == QEvent::WindowStateChange && !isOutOfSight()) {
        m_unseen = {};
        showUnseen();
    }
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == centralWidget())
            layOut();
        for (RoomLog *log : {m_workLog, m_teaLog}) {
            // A log keeps its margins to the tab control as the page grows.
            if (log && watched == log->parentWidget())
                log->resize(m_rooms->size() - log->property("marginInPage").toSize());
        }
    }
    if (m_userList && watched == m_userList->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        onUserListPressed(mouse->button(), m_userList->viewport()->mapTo(m_userList, mouse->position().toPoint()));
    }
    return QMainWindow::eventFilter(watched, event);
}
