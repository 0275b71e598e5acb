#include "form4.h"

#include "look.h"
#include "messages.h"
#include "puissance4cell.h"
#include "turnmarker.h"
#include "station.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

using namespace puissance4;

namespace {

const QColor kMarkerStart{255, 255, 128};

constexpr int kClientWidth = 3015;
constexpr int kClientHeight = 3585;
constexpr int kCellLeft = 450;
constexpr int kCellTop = 950;

} // namespace

Form4::Form4(Station &station, QWidget *owner)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_station(station)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Puissance 4"));
    setWindowIcon(look::sunIcon());
    setFixedSize(look::px(kClientWidth), look::px(kClientHeight));
    look::setBackground(*this, look::Picture::Navy, look::kPuissance4Back);

    Picture1[0] = new Puissance4Cell(m_game, 0, this);
    Picture1[0]->setGeometry(look::twips(2400, 720, 375, 375));
    Picture1[0]->hide();
    for (int k = 1; k <= kCells; ++k) {
        auto *cell = new Puissance4Cell(m_game, k, this);
        cell->setGeometry(look::twips(kCellLeft + look::kBoardPitch * (Puissance4Game::ColumnOf(k) - 1),
                                      kCellTop + look::kBoardPitch * (Puissance4Game::RowOf(k) - 1),
                                      look::kBoardCell, look::kBoardCell));
        connect(cell, &Puissance4Cell::clicked, this, &Form4::Picture1_Click);
        Picture1[k] = cell;
    }

    Shape1 = new TurnMarker(this);
    Label1 = look::sideLabel(*this, "Label1", QStringLiteral("Yellow"), look::twips(480, 120, 615, 375));
    Label2 = look::sideLabel(*this, "Label2", QStringLiteral("Red"), look::twips(2040, 120, 495, 255));
    Shape1->raise();
    Text4 = look::displayField(*this, "Text4", look::twips(120, 360, 1335, 285), 8.25, look::kNameBack);
    Text5 = look::displayField(*this, "Text5", look::twips(1560, 360, 1335, 285), 8.25, look::kNameBack);
    Text1 = look::displayField(*this, "Text1", look::twips(0, 3240, 3015, 375), 9.75, look::kStatusBack);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(timing::kFlashMs);
    connect(&Timer1, &QTimer::timeout, this, &Form4::Timer1_Timer);

    showStatus();
    showTurnMarker();
}

QString Form4::statusText() const
{
    return Text1->text();
}

void Form4::Arrange()
{
    m_game.Arrange();
    showTurnMarker();
}

void Form4::FillBoard(int i, int o, int Color, bool bLevel)
{
    m_game.FillBoard(i, o, Color, bLevel);
    if (Puissance4Game::isInside(i, o))
        Picture1[Puissance4Game::IndexOf(i, o)]->update();
}

void Form4::Form_Load()
{
    m_game = Puissance4Game();
    Timer1.stop();
    FlashCount = 0;
    m_captionInverted = false;
    Text4->clear();
    Text5->clear();
    for (Puissance4Cell *cell : Picture1)
        cell->update();
    showStatus();
    showTurnMarker();
    m_loaded = true;

    const QRect around = m_owner ? m_owner->frameGeometry()
                                 : (screen() ? screen()->availableGeometry() : QRect());
    if (around.isValid())
        move(around.center() - rect().center());
    show();
}

bool Form4::applyBoard(const wire::Puissance4Board &board)
{
    if (board.numDiscs <= NumDiscs())
        return false;
    if (!m_loaded)
        Form_Load();
    for (int k = 1; k <= kCells; ++k)
        FillBoard(Puissance4Game::ColumnOf(k), Puissance4Game::RowOf(k), board.cells[k - 1], false);
    SetLevel();
    setColor(board.color);
    setNumDiscs(board.numDiscs);
    m_game.setStatus(board.status);
    showStatus();
    if (statusText() == kYellowWon || statusText() == kRedWon)
        setResult(true);
    Arrange();
    Timer1.start();
    return true;
}

void Form4::Timer1_Timer()
{
    FlashWindow(true);
    ++FlashCount;
    if (FlashCount >= timing::kFlashes) {
        Timer1.stop();
        FlashCount = 0;
        FlashWindow(false);
    }
}

void Form4::FlashWindow(bool invert)
{
    if (!invert) {
        m_captionInverted = false;
        return;
    }
    m_captionInverted = !m_captionInverted;
    if (m_captionInverted)
        QApplication::alert(this, timing::kFlashMs);
}

void Form4::Picture1_Click(int Index)
{
    if (Index < 1 || Index > kCells)
        return;
    const int c = Puissance4Game::ColumnOf(Index);
    if (!m_game.canDrop(c) || !m_game.ownsTurn(m_station.sUserName, Text4->text(), Text5->text()))
        return;

    // Whoever drops a colour's disc takes that colour's name field.
    if (m_game.Color() == kRed) {
        Text5->setText(m_station.sUserName);
        Text4->setText(m_station.st2P4UserName);
    } else {
        Text5->setText(m_station.st2P4UserName);
        Text4->setText(m_station.sUserName);
    }
    const int r = m_game.Drop(c);
    Picture1[Puissance4Game::IndexOf(c, r)]->update();
    showStatus();
    showTurnMarker();
    m_station.Timer1_Timer();
}

void Form4::closeEvent(QCloseEvent *event)
{
    Form_QueryUnload();
    event->accept();
}

void Form4::Form_QueryUnload()
{
    // The game stays as it is, so a newer board can still be compared with it.
    m_station.bForm4Loaded = false;
    m_loaded = false;
    Timer1.stop();
    FlashCount = 0;
    m_captionInverted = false;
}

void Form4::showStatus()
{
    Text1->setText(m_game.status());
    Text1->setCursorPosition(0);
}

void Form4::showTurnMarker()
{
    switch (m_game.marker()) {
    case Puissance4Game::Marker::Start:
        Shape1->showOver(TurnMarker::Side::First, kMarkerStart);
        break;
    case Puissance4Game::Marker::Yellow:
        Shape1->showOver(TurnMarker::Side::First, Puissance4Cell::discColour(kYellow));
        break;
    case Puissance4Game::Marker::Red:
        Shape1->showOver(TurnMarker::Side::Second, Puissance4Cell::discColour(kRed));
        break;
    }
}
