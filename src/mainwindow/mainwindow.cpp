#include "mainwindow/mainwindow.h"

#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "look/look.h"
#include "look/names.h"
#include "look/placement.h"
#include "mainwindow/editmenu.h"
#include "mainwindow/helpmenu.h"
#include "mainwindow/roomlog.h"
#include "mainwindow/systemtray.h"
#include "net/datagramlink.h"
#include "net/wire.h"
#include "othello/othellowindow.h"
#include "puissance4/puissance4window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTime>
#include <QTimer>

namespace {

constexpr int kClockMs = 500;         // the clock's colon blinks at this pace
constexpr int kUserMenuDelayMs = 100; // the user list's menu follows a right click after this
const QString kClockFormat = QStringLiteral("hh:mm:ss");
constexpr int kClockBlinkAt = 5; // the colon between minutes and seconds

constexpr int kAvailableIcon = 1;
constexpr int kNotAvailableIcon = 2;

void setAvailabilityIcon(QListWidgetItem *entry, bool available)
{
    entry->setIcon(available ? look::bulbOnIcon() : look::bulbOffIcon());
    entry->setData(MainWindow::kIconRole, available ? kAvailableIcon : kNotAvailableIcon);
}

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

    m_othello = std::make_unique<OthelloWindow>(m_station, this);
    m_puissance4 = std::make_unique<Puissance4Window>(m_station, this);
    m_station.setBoardSource(Game::Othello, [this] { return m_othello->boardMessage(); });
    m_station.setBoardSource(Game::Puissance4, [this] { return m_puissance4->boardMessage(); });
    connectStation();

    m_clockTimer = look::named(new QTimer(this), "Timer3");
    m_clockTimer->setInterval(kClockMs);
    connect(m_clockTimer, &QTimer::timeout, this, &MainWindow::blinkClock);
    m_userMenuTimer = look::named(new QTimer(this), "Timer4");
    m_userMenuTimer->setInterval(kUserMenuDelayMs);
    m_userMenuTimer->setSingleShot(true);
    connect(m_userMenuTimer, &QTimer::timeout, this, &MainWindow::popUpUserMenu);
}

MainWindow::~MainWindow()
{
    m_station.setBoardSource(Game::Othello, {});
    m_station.setBoardSource(Game::Puissance4, {});
}

void MainWindow::connectStation()
{
    Station *s = &m_station;
    connect(s, &Station::chatLineReceived, this, &MainWindow::appendToLog);
    connect(s, &Station::userSeen, this, &MainWindow::addUser);
    connect(s, &Station::userAvailabilityChanged, this, &MainWindow::setUserAvailability);
    connect(s, &Station::userGone, this, &MainWindow::removeUser);
    connect(s, &Station::privateMessageReceived, this, &MainWindow::openReceivedMessage);
    connect(s, &Station::proposalReceived, this, &MainWindow::openProposal);
    connect(s, &Station::proposalDeclined, this, &MainWindow::showDeclined);
    connect(s, &Station::gameStarted, this, [this](Game game) { openGame(game); });
    connect(s, &Station::othelloBoardReceived, m_othello.get(), &OthelloWindow::applyBoard);
    connect(s, &Station::puissance4BoardReceived, m_puissance4.get(), &Puissance4Window::applyBoard);
}

void MainWindow::buildControls()
{
    setWindowTitle(QStringLiteral("Quillet"));
    setWindowIcon(look::sailIcon());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setFont(look::verdana(look::kSmallPoints));

    auto *client = look::named(new QWidget(this), "client");
    client->setFixedSize(look::px(9600), look::px(5055));
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
    m_workLog = makeRoom("Text1", QStringLiteral("Work room"));
    m_teaLog = makeRoom("Text2", QStringLiteral("Tea room"));
    connect(m_rooms, &QTabWidget::currentChanged, this, &MainWindow::onRoomChanged);

    m_usersTitle = look::named(new QLabel(QStringLiteral("Users List"), client), "Label2");
    m_usersTitle->setGeometry(look::twips(8040, 240, 1455, 255));
    m_usersTitle->setAlignment(Qt::AlignCenter);
    m_usersTitle->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_usersTitle->setAutoFillBackground(true);
    QPalette titlePalette = m_usersTitle->palette();
    titlePalette.setColor(QPalette::Window, look::kPanelGrey);
    titlePalette.setColor(QPalette::WindowText, palette().color(QPalette::Text));
    m_usersTitle->setPalette(titlePalette);

    m_userList = look::named(new QListWidget(client), "ListView1");
    m_userList->setGeometry(look::twips(8040, 600, 1455, 3375));
    m_userList->setViewMode(QListView::ListMode);
    m_userList->setFlow(QListView::TopToBottom);
    m_userList->setWrapping(true);
    m_userList->setIconSize(QSize(16, 16));
    m_userList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_userList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_userList->viewport()->installEventFilter(this);
    connect(m_userList, &QListWidget::itemDoubleClicked, this, &MainWindow::writeToSelectedUser);

    m_input = look::named(new QLineEdit(client), "Text3");
    m_input->setGeometry(look::twips(120, 4320, 7695, 315));
    m_input->setMaxLength(wire::kMaxTypedText);
    m_input->installEventFilter(this);
    connect(m_input, &QLineEdit::textChanged, this, &MainWindow::onInputChanged);
    connect(m_input, &QLineEdit::returnPressed, this, [this] {
        // The Enter key presses the default button while it is enabled.
        if (m_sendButton->isEnabled())
            sendChatLine();
    });

    m_sendButton = look::named(new QPushButton(QStringLiteral("Send"), client), "Command2");
    m_sendButton->setGeometry(look::twips(240, 4320, 1215, 255));
    m_sendButton->setFont(look::verdana(look::kLargePoints));
    m_sendButton->setEnabled(false);
    m_sendButton->setDefault(true);
    // Clicking Send must not take the focus from the input line, whose loss disables it.
    m_sendButton->setFocusPolicy(Qt::NoFocus);
    connect(m_sendButton, &QPushButton::clicked, this, &MainWindow::sendChatLine);
    // The button lies over the input line's left end; typed text starts beside it.
    m_input->setTextMargins(m_sendButton->geometry().right() - m_input->x() + 2, 0, 0, 0);

    m_availabilityBox = look::named(new QComboBox(client), "Combo1");
    m_availabilityBox->setGeometry(look::twips(8040, 4320, 1455, 315));
    connect(m_availabilityBox, &QComboBox::currentIndexChanged, this, &MainWindow::onAvailabilityChosen);

    auto *statusBar = look::named(new QStatusBar(client), "StatusBar1");
    statusBar->setGeometry(look::twips(0, 4800, 9600, 255));
    statusBar->setSizeGripEnabled(false);
    statusBar->setAutoFillBackground(true);
    m_userCount = look::named(new QLabel(statusBar), "StatusPanel1");
    m_clock = look::named(new QLabel(statusBar), "StatusPanel2");
    m_noticeLabel = look::named(new QLabel(statusBar), "noticePanel");
    m_noticeLabel->setTextFormat(Qt::PlainText);
    statusBar->addWidget(m_userCount);
    statusBar->addWidget(m_noticeLabel, 1);
    statusBar->addPermanentWidget(m_clock);

    setTabOrder(m_input, m_rooms);
    setTabOrder(m_rooms, m_userList);
    setTabOrder(m_userList, m_availabilityBox);
}

void MainWindow::buildMenus()
{
    QMenu *fileMenu = look::named(menuBar()->addMenu(QStringLiteral("&File")), "File");
    connect(look::addNamedAction(fileMenu, QStringLiteral("&Exit"), "mnuExitProgram"), &QAction::triggered, this,
            &MainWindow::exitProgram);

    m_editMenu = new EditMenu(this);
    menuBar()->addMenu(m_editMenu->menu());

    QMenu *toolsMenu = look::named(menuBar()->addMenu(QStringLiteral("&Tools")), "Tools");
    connect(look::addNamedAction(toolsMenu, QStringLiteral("&Clear log"), "mnuClearlog"), &QAction::triggered, this,
            &MainWindow::clearLog);

    m_helpMenu = new HelpMenu(this);
    menuBar()->addMenu(m_helpMenu->menu());
    m_tray = new SystemTray(this);

    m_userMenu = look::named(new QMenu(QStringLiteral("&Options"), this), "mnuPopupList1");
    connect(look::addNamedAction(m_userMenu, QStringLiteral("Send a message"), "mnuSendMessage"),
            &QAction::triggered, this, &MainWindow::writeToSelectedUser);
    connect(look::addNamedAction(m_userMenu, QStringLiteral("Propose a game of Othello"), "mnuProposeOthello"),
            &QAction::triggered, this, [this] { proposeToSelectedUser(Game::Othello); });
    connect(look::addNamedAction(m_userMenu, QStringLiteral("Propose a game of Puissance 4"), "mnuProposePuissance4"),
            &QAction::triggered, this, [this] { proposeToSelectedUser(Game::Puissance4); });
}

void MainWindow::start()
{
    // The first broadcast goes out before anything else is built: peers hear
    // of this station while its window is still being made. The station's
    // signals are heard from the event loop on, once everything is built.
    m_station.setAvailability(0);
    m_station.start(stationUserName());
    build();

    m_userList->clear();
    {
        // Filling the box selects its first item; the station already said so.
        const QSignalBlocker quiet(m_availabilityBox);
        m_availabilityBox->clear();
        m_availabilityBox->addItem(QStringLiteral("Available"));
        m_availabilityBox->addItem(QStringLiteral("Not Available"));
        m_availabilityBox->setCurrentIndex(0);
    }
    m_room = Room::Work;

    m_clock->setText(QTime::currentTime().toString(kClockFormat));
    m_clockTimer->start();

    adjustSize();
    setFixedSize(sizeHint());
    look::centreOn(*this, nullptr);
    show();

    // The logs' rectangles are in the tab control's coordinates; the pages
    // sit below the tab bar, whose place is known once the tabs are shown.
    for (RoomLog *log : {m_workLog, m_teaLog}) {
        const QRect inTab = log->property("rectInTab").toRect();
        const QPoint pageOrigin = log->parentWidget()->parentWidget()->mapTo(m_rooms, QPoint());
        log->setGeometry(inTab.translated(-pageOrigin));
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
    m_noticeLabel->setToolTip(shown);
    m_tray->setToolTip(shown.isEmpty() ? windowTitle() : windowTitle() + QLatin1Char('\n') + shown);
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
    return game == Game::Othello ? m_othelloProposal : m_puissance4Proposal;
}

void MainWindow::appendToLog(Room room, const QString &line)
{
    (room == Room::Work ? m_workLog : m_teaLog)->appendLine(line);
}

QListWidgetItem *MainWindow::findUser(const QString &name) const
{
    for (int row = 0; row < m_userList->count(); ++row) {
        if (m_userList->item(row)->text() == name)
            return m_userList->item(row);
    }
    return nullptr;
}

void MainWindow::addUser(const QString &name)
{
    if (!findUser(name))
        setAvailabilityIcon(new QListWidgetItem(name, m_userList), true);
    showUserCount();
}

void MainWindow::setUserAvailability(const QString &name, bool available)
{
    if (QListWidgetItem *entry = findUser(name))
        setAvailabilityIcon(entry, available);
}

void MainWindow::removeUser(const QString &name)
{
    // The count waits for the next presence, as every station shows it.
    delete findUser(name);
}

void MainWindow::showUserCount()
{
    m_userCount->setText(QStringLiteral("Connected users: %1").arg(m_userList->count()));
}

QString MainWindow::selectedUser() const
{
    const QList<QListWidgetItem *> selected = m_userList->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

void MainWindow::openGame(Game game)
{
    if (game == Game::Othello) {
        if (!m_othello->isOpen())
            m_othello->open();
    } else if (!m_puissance4->isOpen()) {
        m_puissance4->open();
    }
}

void MainWindow::openReceivedMessage(const QString &sender, const QString &text)
{
    auto *window = new MessageWindow(m_station, this);
    m_lastMessage = window;
    window->openReceived(sender, text, timeOfDay(QTime::currentTime()));
}

void MainWindow::openProposal(Game game, const QString &proposer)
{
    auto *window = new ProposalWindow(m_station, game, proposer, this);
    (game == Game::Othello ? m_othelloProposal : m_puissance4Proposal) = window;
    window->open();
}

void MainWindow::showDeclined(const QString &decliner)
{
    // Not exec(): a modal loop here would hold up every datagram behind it.
    auto *box = new QMessageBox(QMessageBox::Information, QStringLiteral("Declined"),
                                decliner + QStringLiteral(" has declined your offer..."),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("Declined"));
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void MainWindow::onRoomChanged(int index)
{
    m_room = index == 0 ? Room::Work : Room::Tea;
}

void MainWindow::onInputChanged()
{
    m_sendButton->setEnabled(!m_input->text().isEmpty());
}

void MainWindow::onInputLeft()
{
    m_sendButton->setEnabled(false);
}

void MainWindow::sendChatLine()
{
    const QString text = m_input->text();
    if (text.contains(wire::kSeparator)) {
        look::refuseSeparator(*this);
        return;
    }
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
    if (m_userList->selectedItems().isEmpty())
        return;
    auto *window = new MessageWindow(m_station, this);
    m_lastMessage = window;
    window->openToWrite(selectedUser());
}

void MainWindow::proposeToSelectedUser(Game game)
{
    if (!m_userList->selectedItems().isEmpty())
        m_station.proposeGame(game, selectedUser());
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
    QString now = QTime::currentTime().toString(kClockFormat);
    if (m_clock->text().mid(kClockBlinkAt, 1) == QLatin1String(":"))
        now[kClockBlinkAt] = u' ';
    m_clock->setText(now);
}

void MainWindow::exitProgram()
{
    m_station.sendDeparture();
    close();
}

void MainWindow::clearLog()
{
    (m_room == Room::Tea ? m_teaLog : m_workLog)->clearLog();
}

void MainWindow::sayGoodbye()
{
    m_station.sendDeparture();
    m_tray->hide();
    m_othello->close();
    m_puissance4->close();
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
    // Minimised, the station lives on in the tray; without a tray icon the
    // window stays in the task bar, or nothing could bring it back.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_tray->available())
        hide();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_input && event->type() == QEvent::FocusOut) {
        // Opening a menu or switching to another window does not move the
        // focus within this window: only a real move disables Send.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason
            && reason != Qt::ActiveWindowFocusReason)
            onInputLeft();
    } else if (watched == m_userList->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        onUserListPressed(mouse->button(), m_userList->viewport()->mapTo(m_userList, mouse->position().toPoint()));
    }
    return QMainWindow::eventFilter(watched, event);
}
