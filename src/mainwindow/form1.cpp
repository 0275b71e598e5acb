#include "form1.h"

#include "datagramlink.h"
#include "editmenu.h"
#include "help.h"
#include "look.h"
#include "messages.h"
#include "systemtray.h"

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
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTime>

namespace {

constexpr int kAvailableIcon = 1;
const QString kClockFormat = QStringLiteral("hh:mm:ss");
constexpr int kClockBlinkAt = 5; // the colon between minutes and seconds

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A menu item with its name, running `slot` on the main window.
template <typename Slot>
void addItem(QMenu *menu, const QString &caption, const char *name, Form1 *window, Slot slot)
{
    QAction *item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    QObject::connect(item, &QAction::triggered, window, slot);
}

void setAvailabilityIcon(QListWidgetItem *entry, int icon)
{
    entry->setIcon(icon == kAvailableIcon ? look::bulbOnIcon() : look::bulbOffIcon());
    entry->setData(Form1::kIconRole, icon);
}

} // namespace

Form1::Form1(DatagramLink &link, QWidget *parent)
    : QMainWindow(parent)
    , m_station(link)
{
    setObjectName(QStringLiteral("Form1"));
    m_station.setParent(this);
    buildControls();
    buildMenus();

    m_form3 = std::make_unique<Form3>(m_station, this);
    m_form4 = std::make_unique<Form4>(m_station, this);

    connect(&link, &DatagramLink::datagramReceived, this, &Form1::TCP1_DataArrival);
    connect(&m_station, &Station::periodicBroadcast, this, &Form1::Timer1_Timer);
    connect(&m_station, &Station::form3LoadRequested, this, &Form1::openForm3);
    connect(&m_station, &Station::form4LoadRequested, this, &Form1::openForm4);

    Timer3.setObjectName(QStringLiteral("Timer3"));
    Timer3.setInterval(timing::kClockMs);
    connect(&Timer3, &QTimer::timeout, this, &Form1::Timer3_Timer);
    Timer4.setObjectName(QStringLiteral("Timer4"));
    Timer4.setInterval(timing::kPopupDelayMs);
    Timer4.setSingleShot(true);
    connect(&Timer4, &QTimer::timeout, this, &Form1::Timer4_Timer);
}

Form1::~Form1() = default;

void Form1::buildControls()
{
    setWindowTitle(QStringLiteral("Quillet"));
    setWindowIcon(look::sailIcon());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setFont(look::verdana(8.25));

    auto *client = named(new QWidget(this), "client");
    client->setFixedSize(look::px(9600), look::px(5055));
    look::setBackground(*client, look::Picture::Warm, look::kWindowBack);
    setCentralWidget(client);

    SSTab1 = named(new QTabWidget(client), "SSTab1");
    SSTab1->setGeometry(look::twips(120, 120, 7695, 4095));
    // The logs' rectangles are given in the tab control's own coordinates.
    const QRect logRect = look::twips(240, 480, 7215, 3375);
    const auto makeRoom = [this, logRect](const char *name, const QString &caption) {
        auto *page = new QWidget;
        auto *log = named(new QPlainTextEdit(page), name);
        log->setReadOnly(true);
        log->setUndoRedoEnabled(false);
        log->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        log->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        log->setProperty("rectInTab", logRect);
        SSTab1->addTab(page, caption);
        return log;
    };
    Text1 = makeRoom("Text1", QStringLiteral("Work room"));
    Text2 = makeRoom("Text2", QStringLiteral("Tea room"));
    connect(SSTab1, &QTabWidget::currentChanged, this, &Form1::SSTab1_Click);

    Label2 = named(new QLabel(QStringLiteral("Users List"), client), "Label2");
    Label2->setGeometry(look::twips(8040, 240, 1455, 255));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setFrameStyle(QFrame::Box | QFrame::Plain);
    Label2->setAutoFillBackground(true);
    QPalette labelPalette = Label2->palette();
    labelPalette.setColor(QPalette::Window, look::kPanelGrey);
    labelPalette.setColor(QPalette::WindowText, palette().color(QPalette::Text));
    Label2->setPalette(labelPalette);

    ListView1 = named(new QListWidget(client), "ListView1");
    ListView1->setGeometry(look::twips(8040, 600, 1455, 3375));
    ListView1->setViewMode(QListView::ListMode);
    ListView1->setFlow(QListView::TopToBottom);
    ListView1->setWrapping(true);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->viewport()->installEventFilter(this);
    connect(ListView1, &QListWidget::itemDoubleClicked, this, &Form1::ListView1_DblClick);

    Text3 = named(new QLineEdit(client), "Text3");
    Text3->setGeometry(look::twips(120, 4320, 7695, 315));
    Text3->setMaxLength(wire::kMaxTypedText);
    Text3->installEventFilter(this);
    connect(Text3, &QLineEdit::textChanged, this, &Form1::Text3_Change);
    connect(Text3, &QLineEdit::returnPressed, this, [this] {
        // The Enter key presses the default button while it is enabled.
        if (Command2->isEnabled())
            Command2_Click();
    });

    Command2 = named(new QPushButton(QStringLiteral("Send"), client), "Command2");
    Command2->setGeometry(look::twips(240, 4320, 1215, 255));
    Command2->setFont(look::verdana(9.75));
    Command2->setEnabled(false);
    Command2->setDefault(true);
    // Clicking Send must not take the focus from the input line, whose loss disables it.
    Command2->setFocusPolicy(Qt::NoFocus);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    // The button lies over the input line's left end; typed text starts beside it.
    Text3->setTextMargins(Command2->geometry().right() - Text3->x() + 2, 0, 0, 0);

    Combo1 = named(new QComboBox(client), "Combo1");
    Combo1->setGeometry(look::twips(8040, 4320, 1455, 315));
    connect(Combo1, &QComboBox::currentIndexChanged, this, &Form1::Combo1_Click);

    StatusBar1 = named(new QStatusBar(client), "StatusBar1");
    StatusBar1->setGeometry(look::twips(0, 4800, 9600, 255));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setAutoFillBackground(true);
    StatusPanel1 = named(new QLabel(StatusBar1), "StatusPanel1");
    StatusPanel2 = named(new QLabel(StatusBar1), "StatusPanel2");
    StatusBar1->addWidget(StatusPanel1, 1);
    StatusBar1->addPermanentWidget(StatusPanel2);

    setTabOrder(Text3, SSTab1);
    setTabOrder(SSTab1, ListView1);
    setTabOrder(ListView1, Combo1);
}

void Form1::buildMenus()
{
    QMenu *fileMenu = named(menuBar()->addMenu(QStringLiteral("&File")), "File");
    addItem(fileMenu, QStringLiteral("&Exit"), "mnuExitProgram", this, &Form1::mnuExitProgram_Click);

    editMenu = new EditMenu(this);
    menuBar()->addMenu(editMenu->mnuEdit);

    QMenu *toolsMenu = named(menuBar()->addMenu(QStringLiteral("&Tools")), "Tools");
    addItem(toolsMenu, QStringLiteral("&Clear log"), "mnuClearlog", this, &Form1::mnuClearlog_Click);

    helpMenu = new Help(this);
    menuBar()->addMenu(helpMenu->menu);
    tray = new SystemTray(this);

    mnuPopupList1 = named(new QMenu(QStringLiteral("&Options"), this), "mnuPopupList1");
    addItem(mnuPopupList1, QStringLiteral("Send a message"), "mnuSendMessage", this, &Form1::ListView1_DblClick);
    addItem(mnuPopupList1, QStringLiteral("Propose a game of Othello"), "mnuProposeOthello", this,
            &Form1::mnuProposeOthello_Click);
    addItem(mnuPopupList1, QStringLiteral("Propose a game of Puissance 4"), "mnuProposePuissance4", this,
            &Form1::mnuProposePuissance4_Click);
}

void Form1::Form_Load()
{
    ListView1->clear();
    Combo1->clear();
    Combo1->addItem(QStringLiteral("Available"));
    Combo1->addItem(QStringLiteral("Not Available"));
    Combo1->setCurrentIndex(0);

    m_station.sUserName = stationUserName();
    iReady = 1;
    iRoom = 0;
    m_station.bForm3Loaded = false;
    m_station.bForm4Loaded = false;
    tray->show();

    StatusPanel2->setText(QTime::currentTime().toString(kClockFormat));
    Timer1_Timer();
    m_station.Timer1.start();
    Timer3.start();

    adjustSize();
    setFixedSize(sizeHint());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();

    // The logs' rectangles are in the tab control's coordinates; the
    // pages sit below the tab bar, whose place is known once the tabs are shown.
    for (QPlainTextEdit *log : {Text1, Text2}) {
        const QRect inTab = log->property("rectInTab").toRect();
        const QPoint pageOrigin = log->parentWidget()->parentWidget()->mapTo(SSTab1, QPoint());
        log->setGeometry(inTab.translated(-pageOrigin));
    }
    Text3->setFocus();
}

void Form1::Timer1_Timer()
{
    const QString &name = m_station.sUserName;
    m_station.send(wire::presence(name));
    m_station.send(wire::availability(name, Combo1->currentIndex()));
    if (m_station.bForm3Loaded) {
        m_station.send(wire::othelloBoard(m_station.st2OUserName, m_form3->FillRC(),
                                          m_form3->TurnColor(), m_form3->NumDiscs()));
    }
    if (m_station.bForm4Loaded) {
        m_station.send(wire::puissance4Board(m_station.st2P4UserName, m_form4->FillRC(),
                                             m_form4->Color(), m_form4->NumDiscs(),
                                             m_form4->statusText()));
    }
}

void Form1::TCP1_DataArrival(const QByteArray &datagram)
{
    const std::optional<wire::Message> message = wire::read(datagram);
    if (!message)
        return;
    const QString f1 = message->field(1);
    if (wire::isAddressed(message->code) && f1 != m_station.sUserName)
        return;
    const QString f2 = message->field(2);

    switch (message->code) {
    case wire::Code::WorkLine:
        appendToLog(Text1, f1);
        break;
    case wire::Code::TeaLine:
        appendToLog(Text2, f1);
        break;
    case wire::Code::Presence:
        if (findUser(f1) < 0) {
            auto *entry = new QListWidgetItem(f1, ListView1);
            setAvailabilityIcon(entry, kAvailableIcon);
        }
        refreshUserCount();
        break;
    case wire::Code::OthelloAccept:
        m_station.st2OUserName = f2;
        openForm3();
        m_station.bForm3Loaded = true;
        break;
    case wire::Code::Puissance4Accept:
        m_station.st2P4UserName = f2;
        openForm4();
        m_station.bForm4Loaded = true;
        break;
    case wire::Code::PrivateMessage:
        openMessage(f2, message->field(3));
        break;
    case wire::Code::Departure:
        if (const int row = findUser(f1); row >= 0)
            delete ListView1->takeItem(row);
        break;
    case wire::Code::OthelloProposal:
        openProposal(Form5::kOthello, f2);
        break;
    case wire::Code::Puissance4Proposal:
        openProposal(Form5::kPuissance4, f2);
        break;
    case wire::Code::Availability:
        if (const int row = findUser(f1); row >= 0)
            setAvailabilityIcon(ListView1->item(row), message->availabilityIndex + 1);
        break;
    case wire::Code::ProposalDeclined:
        showDeclined(f2);
        break;
    case wire::Code::Puissance4Board:
        m_form4->applyBoard(message->puissance4);
        break;
    case wire::Code::OthelloBoard:
        m_form3->applyBoard(message->othello);
        break;
    }
}

void Form1::appendToLog(QPlainTextEdit *log, const QString &line)
{
    // Appending a block and jumping the scroll bar keeps the cost of a line
    // independent of the log's length, and leaves a reader's selection alone.
    log->appendPlainText(line);
    QScrollBar *bar = log->verticalScrollBar();
    bar->setValue(bar->maximum());
}

int Form1::findUser(const QString &name) const
{
    for (int row = 0; row < ListView1->count(); ++row) {
        if (ListView1->item(row)->text() == name)
            return row;
    }
    return -1;
}

void Form1::refreshUserCount()
{
    StatusPanel1->setText(QStringLiteral("Connected users: %1").arg(ListView1->count()));
}

QString Form1::selectedUser() const
{
    const QList<QListWidgetItem *> selected = ListView1->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

void Form1::openForm3()
{
    if (!m_form3->isLoaded())
        m_form3->Form_Load();
}

void Form1::openForm4()
{
    if (!m_form4->isLoaded())
        m_form4->Form_Load();
}

void Form1::openMessage(const QString &sender, const QString &text)
{
    auto *window = new Form2(m_station, this);
    frmMessage = window;
    window->Form_Load();
    window->Tag = QLatin1String(Form2::kResponseTag);
    window->Text2->setPlainText(text);
    window->setWindowTitle(QStringLiteral("Message from: ") + sender + QStringLiteral(" at ")
                           + timeOfDay(QTime::currentTime()));
    window->DestUser = sender;
}

void Form1::openProposal(int game, const QString &proposer)
{
    auto *window = new Form5(m_station, this);
    const bool othello = game == Form5::kOthello;
    (othello ? frmOthelloProposal : frmPuissance4Proposal) = window;
    window->DestUser = proposer;
    window->SourceUser = m_station.sUserName;
    window->Game = qint16(game);
    window->setWindowTitle(othello ? QStringLiteral("Othello game proposal")
                                     : QStringLiteral("Puissance 4 game proposal"));
    window->Form_Load();
}

void Form1::showDeclined(const QString &decliner)
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

void Form1::SSTab1_Click(int index)
{
    iRoom = index;
}

void Form1::Text3_Change()
{
    Command2->setEnabled(!Text3->text().isEmpty());
}

void Form1::Text3_LostFocus()
{
    Command2->setEnabled(false);
}

void Form1::Command2_Click()
{
    const QString text = Text3->text();
    if (text.contains(wire::kSeparator)) {
        look::refuseSeparator(*this);
        return;
    }
    const QString line = wire::chatLine(m_station.sUserName, timeOfDay(QTime::currentTime()), text);
    m_station.send(iRoom == 0 ? wire::workLine(line) : wire::teaLine(line));
    Text3->clear();
}

void Form1::Combo1_Click(int index)
{
    if (iReady == 1 && index >= 0)
        m_station.send(wire::availability(m_station.sUserName, index));
}

void Form1::ListView1_DblClick()
{
    if (ListView1->selectedItems().isEmpty())
        return;
    auto *window = new Form2(m_station, this);
    frmMessage = window;
    window->DestUser = selectedUser();
    window->Tag = QLatin1String(Form2::kMessageTag);
    window->Form_Load();
}

void Form1::ListView1_MouseDown(Qt::MouseButton button, const QPoint &position)
{
    if (button != Qt::RightButton)
        return;
    iPopupX = position.x();
    iPopupY = position.y();
    Timer4.start();
}

void Form1::Timer4_Timer()
{
    const QPoint inList = ListView1->geometry().topLeft() + QPoint(iPopupX, iPopupY);
    Timer4.stop();
    mnuPopupList1->popup(ListView1->parentWidget()->mapToGlobal(inList));
}

void Form1::Timer3_Timer()
{
    QString now = QTime::currentTime().toString(kClockFormat);
    if (StatusPanel2->text().mid(kClockBlinkAt, 1) == QLatin1String(":"))
        now[kClockBlinkAt] = u' ';
    StatusPanel2->setText(now);
}

void Form1::mnuExitProgram_Click()
{
    m_station.send(wire::departure(m_station.sUserName));
    close();
}

void Form1::mnuClearlog_Click()
{
    (iRoom != 0 ? Text2 : Text1)->clear();
}

void Form1::mnuProposeOthello_Click()
{
    if (!ListView1->selectedItems().isEmpty())
        m_station.send(wire::othelloProposal(selectedUser(), m_station.sUserName));
}

void Form1::mnuProposePuissance4_Click()
{
    if (!ListView1->selectedItems().isEmpty())
        m_station.send(wire::puissance4Proposal(selectedUser(), m_station.sUserName));
}

void Form1::Form_QueryUnload()
{
    m_station.send(wire::departure(m_station.sUserName));
    tray->hide();
    m_form3->close();
    m_form4->close();
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (!m_closed) {
        m_closed = true;
        Form_QueryUnload();
        m_station.Timer1.stop();
        Timer3.stop();
        emit stationClosed();
    }
    event->accept();
}

void Form1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void Form1::Form_Resize()
{
    // Minimised, the station lives on in the tray; without a tray icon the
    // window stays in the task bar, or nothing could bring it back.
    if (isMinimized() && tray->available())
        hide();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text3 && event->type() == QEvent::FocusOut) {
        // Opening a menu or switching to another window does not move the
        // focus within this window: only a real move disables Send.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason
            && reason != Qt::ActiveWindowFocusReason)
            Text3_LostFocus();
    } else if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        ListView1_MouseDown(mouse->button(), ListView1->viewport()->mapTo(ListView1, mouse->position().toPoint()));
    }
    return QMainWindow::eventFilter(watched, event);
}
