#include "mainwindow/mainwindow.h"

#include "dialogs/notes.h"
#include "games/gamewindow.h"
#include "games/gamewindows.h"
#include "look/caretrest.h"
#include "look/designlayout.h"
#include "look/look.h"
#include "look/names.h"
#include "look/placement.h"
#include "mainwindow/appliedpreferences.h"
#include "mainwindow/chatline.h"
#include "mainwindow/desktopnotifier.h"
#include "mainwindow/editmenu.h"
#include "mainwindow/helpmenu.h"
#include "mainwindow/logactions.h"
#include "mainwindow/networkwindowcaps.h"
#include "mainwindow/networkwindows.h"
#include "mainwindow/roomlog.h"
#include "mainwindow/statusclock.h"
#include "mainwindow/systemtray.h"
#include "mainwindow/titlecount.h"
#include "mainwindow/unseencounts.h"
#include "station/sharedhearing.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>

MainWindow::MainWindow(Station &station, GameWindows &games, QWidget *parent)
    : QMainWindow(parent)
    , m_station(station)
    , m_games(games)
    , m_notices(new StatusNotices(station, this))
    , m_caps(new NetworkWindowCaps(this))
{
    setObjectName(QStringLiteral("Form1"));
    games.setOwner(this);
}

// The station outlives this window and may still signal while it goes.
MainWindow::~MainWindow()
{
    m_station.disconnect(this);
}

GameWindow *MainWindow::gameWindow(Game game) const
{
    return m_games.window(game);
}

MessageWindow *MainWindow::messageWindow() const
{
    return m_networkWindows->messageWindow();
}

ProposalWindow *MainWindow::proposalWindow(Game game) const
{
    return m_networkWindows->proposalWindow(game);
}

void MainWindow::connectStation()
{
    Station *s = &m_station;
    connect(s, &Station::chatLineReceived, this, &MainWindow::appendToLog);
    connect(s, &Station::userSeen, this, [this](const QString &name) {
        m_users->presenceHeard(name, m_station.isDoubtful(name));
    });
    connect(s, &Station::userAvailabilityChanged, m_users, &UserListModel::setAvailable);
    // The count waits for the next presence, as every station shows it.
    connect(s, &Station::userGone, m_users, &UserListModel::remove);
    m_networkWindows = new NetworkWindows(m_station, m_games, *m_caps, *m_unseen, *this);
}

void MainWindow::buildControls()
{
    setWindowTitle(tr("Quillet"));
    setWindowIcon(look::sailIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(look::verdana(look::kSmallPoints));

    // The designed size is the smallest; the designed layout stays as it is
    // as the window grows, and the logs and the user list take the new room.
    using Follow = DesignLayout::Follow;
    auto *client = look::named(new QWidget(this), "client");
    auto *layout = new DesignLayout(*client, QSize(look::px(9600), look::px(5055)));
    look::setBackground(*client, look::Picture::Warm, look::kWindowBack);
    setCentralWidget(client);

    m_rooms = look::named(new QTabWidget(client), "SSTab1");
    const QRect roomsRect = look::twips(120, 120, 7695, 4095);
    layout->add(*m_rooms, roomsRect, Follow::Wider | Follow::Taller);
    const auto makeRoom = [this, roomsRect](const char *name, const QString &caption) {
        auto *page = new QWidget;
        auto *log = look::named(new RoomLog(page), name);
        log->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        log->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        m_rooms->addTab(page, caption);
        // The logs' rectangles are given in the tab control's own coordinates.
        auto *pageLayout = new DesignLayout(*page, roomsRect.size());
        pageLayout->add(*log, look::twips(240, 480, 7215, 3375), Follow::Wider | Follow::Taller);
        pageLayout->measureOn(*m_rooms);
        return log;
    };
    m_workLog = makeRoom("Text1", tr("Work room"));
    m_teaLog = makeRoom("Text2", tr("Tea room"));
    m_rooms->setAccessibleName(tr("Rooms"));
    m_workLog->setAccessibleName(tr("Work room log"));
    m_teaLog->setAccessibleName(tr("Tea room log"));
    connect(m_rooms, &QTabWidget::currentChanged, this, [this](int index) {
        m_room = index == 0 ? Room::Work : Room::Tea;
        m_rooms->setTabIcon(index, QIcon());
    });

    auto *usersTitle = look::named(new QLabel(tr("Users List"), client), "Label2");
    layout->add(*usersTitle, look::twips(8040, 240, 1455, 255), Follow::Right);
    usersTitle->setAlignment(Qt::AlignCenter);
    usersTitle->setFrameStyle(QFrame::Box | QFrame::Plain);
    usersTitle->setAutoFillBackground(true);
    QPalette titlePalette = usersTitle->palette();
    titlePalette.setColor(QPalette::Window, look::kPanelGrey);
    titlePalette.setColor(QPalette::WindowText, palette().color(QPalette::Text));
    usersTitle->setPalette(titlePalette);

    m_users = new UserListModel(this);
    m_users->setHearing([this](const QString &name) { return sharedHearing(m_station.users(), name); });
    m_userList = look::named(new QListView(client), "ListView1");
    layout->add(*m_userList, look::twips(8040, 600, 1455, 3375), Follow::Right | Follow::Taller);
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
    connect(m_userList, &QListView::doubleClicked, this, &MainWindow::writeToSelectedUser);
    connect(m_users, &UserListModel::countChanged, this,
            [this](int count) { m_userCount->setText(tr("Connected users: %1").arg(count)); });
    m_userList->setAccessibleName(tr("Users"));
    m_userList->setAccessibleDescription(tr("Double-click a name to write to that user; right-click it for games"));

    m_input = look::named(new QLineEdit(client), "Text3");
    layout->add(*m_input, look::twips(120, 4320, 7695, 315), Follow::Bottom | Follow::Wider);
    m_input->setAccessibleName(tr("Chat line"));
    m_input->setAccessibleDescription(tr("Enter sends it to the room shown"));

    m_sendButton = look::named(new QPushButton(tr("Send"), client), "Command2");
    layout->add(*m_sendButton, look::twips(240, 4320, 1215, 255), Follow::Bottom);
    m_sendButton->setFont(look::verdana(look::kLargePoints));
    m_sendButton->setDefault(true);
    // Clicking Send leaves the focus in the input line, ready for the next line.
    m_sendButton->setFocusPolicy(Qt::NoFocus);
    new ChatLine(*m_input, *m_sendButton, m_station, [this] { return m_room; });
    // The button lies over the input line's left end; typed text starts beside it.
    m_input->setTextMargins(m_sendButton->geometry().right() - m_input->x() + 2, 0, 0, 0);

    m_availabilityBox = look::named(new QComboBox(client), "Combo1");
    // 60 twips wider than the list above, to the left: DejaVu Sans, which stands
    // in for Verdana, needs them to show "Not Available" whole.
    layout->add(*m_availabilityBox, look::twips(7980, 4320, 1515, 315), Follow::Right | Follow::Bottom);
    connect(m_availabilityBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_station.setAvailability(index);
    });
    m_availabilityBox->setAccessibleName(tr("Your availability"));

    auto *statusBar = look::named(new QStatusBar(client), "StatusBar1");
    // As high as the input line, 60 twips into the gap above it: the panels
    // need the height for a line of DejaVu Sans in their frames.
    layout->add(*statusBar, look::twips(0, 4740, 9600, 315), Follow::Bottom | Follow::Wider);
    statusBar->setSizeGripEnabled(false);
    statusBar->setAutoFillBackground(true);
    look::continuePicture(*statusBar, look::Picture::Warm);
    // The picture runs from dark red to pale yellow under the bar: no one text
    // colour reads on all of it, so each panel brings its own backing.
    m_userCount = look::statusPanel(*look::named(new QLabel(statusBar), "StatusPanel1"));
    auto *clockPanel = look::statusPanel(*look::named(new QLabel(statusBar), "StatusPanel2"));
    m_noticeLabel = look::statusPanel(*look::named(new QLabel(statusBar), "noticePanel"));
    m_noticeLabel->setTextFormat(Qt::PlainText);
    m_userCount->setAccessibleName(tr("Connected users"));
    clockPanel->setAccessibleName(tr("Clock"));
    m_noticeLabel->setAccessibleName(tr("Notice"));
    statusBar->addWidget(m_userCount);
    statusBar->addWidget(m_noticeLabel, 1);
    m_withdrawButton = look::named(new QPushButton(tr("Withdraw"), statusBar), "withdrawProposal");
    m_withdrawButton->setAccessibleDescription(tr("Takes back the proposal still waiting for an answer"));
    connect(m_withdrawButton, &QPushButton::clicked, m_notices, &StatusNotices::withdrawProposal);
    statusBar->addWidget(m_withdrawButton);
    m_withdrawButton->hide();
    statusBar->addPermanentWidget(clockPanel);
    m_clock = new StatusClock(*clockPanel);
    // Shown while a notice holds: an empty panel would be a grey bar saying nothing.
    m_noticeLabel->hide();
    m_logActions = new LogActions(*m_rooms, {m_workLog, m_teaLog}, *statusBar);
    m_titleCount = new TitleCount(*this);

    // In reading order: the rooms, the user list, then the line below them.
    setTabOrder(m_rooms, m_userList);
    setTabOrder(m_userList, m_input);
    setTabOrder(m_input, m_availabilityBox);
}

void MainWindow::buildMenus()
{
    QMenu *fileMenu = look::named(menuBar()->addMenu(tr("&File")), "File");
    QAction *saveLog = look::addNamedAction(fileMenu, tr("Save log &as..."), "mnuSaveLogAs");
    saveLog->setShortcut(QKeySequence::SaveAs);
    connect(saveLog, &QAction::triggered, m_logActions, &LogActions::saveShownLog);
    fileMenu->addSeparator();
    connect(look::addNamedAction(fileMenu, tr("&Exit"), "mnuExitProgram"), &QAction::triggered, this, [this] {
        m_station.sendDeparture();
        close();
    });

    menuBar()->addMenu((new EditMenu(this))->menu());

    QMenu *toolsMenu = look::named(menuBar()->addMenu(tr("&Tools")), "Tools");
    connect(look::addNamedAction(toolsMenu, tr("&Clear log"), "mnuClearlog"), &QAction::triggered, m_logActions,
            &LogActions::clearShownLog);
    connect(look::addNamedAction(toolsMenu, tr("&Preferences..."), "mnuPreferences"), &QAction::triggered, this,
            [this] { m_preferences->openDialog(*this, m_tray->available()); });
    // A closed game window does not end its game; these bring it back or end it.
    toolsMenu->addSeparator();
    const auto gameAction = [this, toolsMenu](const QString &text, const QByteArray &name, auto handler) {
        QAction *action = look::addNamedAction(toolsMenu, text, name.constData());
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    for (const Game game : kGames)
        m_showGame[indexOf(game)] = gameAction(GameWindows::words(game).show,
                                               "mnuShow" + QByteArray(GameWindows::words(game).name),
                                               [this, game] { m_games.showGame(game); });
    for (const Game game : kGames)
        m_leaveGame[indexOf(game)] = gameAction(GameWindows::words(game).leave,
                                                "mnuLeave" + QByteArray(GameWindows::words(game).name),
                                                [this, game] { m_station.match(game).leave(); });
    m_withdrawAction = gameAction(tr("&Withdraw the proposal"), "mnuWithdrawProposal",
                                  [this] { m_notices->withdrawProposal(); });
    connect(toolsMenu, &QMenu::aboutToShow, this, &MainWindow::updateGameActions);
    updateGameActions();

    menuBar()->addMenu((new HelpMenu(this))->menu());
    m_tray = new SystemTray(this);
    m_unseen = new UnseenCounts(*this, *m_tray);
    m_notifier = new DesktopNotifier(this);
    m_preferences = new AppliedPreferences(m_station, *m_notices, *m_caps, *m_notifier, this);
    // The desktop's own service shows them with or without a tray.
    connect(m_caps, &NetworkWindowCaps::notified, this, [this](const QString &title, const QString &sender) {
        if (m_notifier->serviceAvailable())
            m_notifier->notify(sender, title, tr("Click to see it."), m_caps->notifiedWindow());
        else
            m_tray->notify(title, tr("Click to see it."));
    });
    // A click on a notification brings forward the window it told of.
    connect(m_tray, &SystemTray::notificationClicked, this, [this] {
        if (QWidget *window = m_caps->notifiedWindow())
            look::bringForward(*window);
    });
    connect(m_notices, &StatusNotices::shownChanged, this, &MainWindow::showNotice);

    // The press has selected the entry by the time the menu is asked for, so
    // it acts on the name under the pointer; the Menu key opens it as well.
    m_userMenu = look::named(new QMenu(tr("&Options"), this), "mnuPopupList1");
    connect(look::addNamedAction(m_userMenu, tr("Send a message"), "mnuSendMessage"),
            &QAction::triggered, this, &MainWindow::writeToSelectedUser);
    for (const Game game : kGames) {
        const QByteArray name = "mnuPropose" + QByteArray(GameWindows::words(game).name);
        connect(look::addNamedAction(m_userMenu, GameWindows::words(game).propose, name.constData()),
                &QAction::triggered, this, [this, game] { proposeToSelectedUser(game); });
    }
    m_userList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_userList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_userMenu->popup(m_userList->viewport()->mapToGlobal(at)); });
}

void MainWindow::start()
{
    // The station's signals are heard from the event loop on, once everything is built.
    buildControls();
    buildMenus();
    m_preferences->load();
    connectStation();
    new CaretRest(this);

    showNotice(m_notices->shown());
    {
        // Filling the box selects its first item; the station already said so.
        const QSignalBlocker quiet(m_availabilityBox);
        m_availabilityBox->addItem(tr("Available"));
        m_availabilityBox->addItem(tr("Not Available"));
        m_availabilityBox->setCurrentIndex(0);
    }

    adjustSize();
    setMinimumSize(sizeHint());
    resize(sizeHint());
    look::centreOn(*this, nullptr);
    show();
    m_input->setFocus();
    // The tray talks to the desktop, which takes a while; nothing before it needs it.
    m_tray->show();
}

void MainWindow::showNotice(const QString &shown)
{
    m_noticeLabel->setText(shown);
    m_noticeLabel->setVisible(!shown.isEmpty());
    m_noticeLabel->setToolTip(shown);
    m_withdrawButton->setVisible(m_notices->showsProposal());
    m_tray->setNotice(shown);
}

void MainWindow::appendToLog(Room room, const QString &line)
{
    (room == Room::Work ? m_workLog : m_teaLog)->appendLine(line);
    // A room not shown is marked until it is; its name stays as it is.
    const int tab = room == Room::Work ? 0 : 1;
    if (tab != m_rooms->currentIndex() && m_rooms->tabIcon(tab).isNull())
        m_rooms->setTabIcon(tab, look::unreadIcon());
    m_unseen->lineArrived(room);
    m_titleCount->lineArrived();
}

QString MainWindow::selectedUser() const
{
    const QModelIndexList selected = m_userList->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QString() : selected.front().data(kNameRole).toString();
}

void MainWindow::updateGameActions()
{
    for (const Game game : kGames) {
        m_showGame[indexOf(game)]->setEnabled(m_station.match(game).isPlaying());
        m_leaveGame[indexOf(game)]->setEnabled(m_station.match(game).isPlaying());
    }
    m_withdrawAction->setEnabled(m_notices->proposalWaiting());
}

void MainWindow::writeToSelectedUser()
{
    if (!m_userList->selectionModel()->hasSelection())
        return;
    m_networkWindows->writeTo(selectedUser());
}

void MainWindow::proposeToSelectedUser(Game game)
{
    if (m_userList->selectionModel()->hasSelection())
        m_station.proposeGame(game, selectedUser());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A window that never started has no station to stop.
    if (!m_closed && m_station.isStarted()) {
        m_closed = true;
        m_station.sendDeparture();
        m_tray->hide();
        // The station stops: its games end with it, whatever their windows show.
        for (const Game game : kGames)
            m_station.endGame(game);
        m_games.closeAll();
        m_station.stop();
        m_clock->stop();
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
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_preferences->current().minimiseToTray
        && m_tray->available())
        hide();
}
