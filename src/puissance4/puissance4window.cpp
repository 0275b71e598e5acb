#include "puissance4/puissance4window.h"

#include "look/attention.h"
#include "look/gamenotice.h"
#include "look/look.h"
#include "look/turnmarker.h"
#include "net/messages.h"
#include "net/station.h"
#include "puissance4/puissance4cell.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>

using namespace puissance4;

namespace {

const QColor kMarkerStart{255, 255, 128};

constexpr int kClientWidth = 3015;
constexpr int kClientHeight = 3585;
constexpr int kCellLeft = 450;
constexpr int kCellTop = 950;

} // namespace

Puissance4Window::Puissance4Window(Station &station, QWidget *owner)
    : GameWindow(station, Game::Puissance4, Qt::MSWindowsFixedSizeDialogHint, owner)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Puissance 4"));
    setWindowIcon(look::sunIcon());
    setFixedSize(look::px(kClientWidth), look::px(kClientHeight));
    look::setBackground(*this, look::Picture::Navy, look::kPuissance4Back);

    m_cells[0] = new Puissance4Cell(m_game, 0, this);
    m_cells[0]->setGeometry(look::twips(2400, 720, 375, 375));
    m_cells[0]->hide();
    for (int k = 1; k <= kCells; ++k) {
        auto *cell = new Puissance4Cell(m_game, k, this);
        cell->setGeometry(look::twips(kCellLeft + look::kBoardPitch * (Puissance4Game::columnOf(k) - 1),
                                      kCellTop + look::kBoardPitch * (Puissance4Game::rowOf(k) - 1),
                                      look::kBoardCell, look::kBoardCell));
        connect(cell, &Puissance4Cell::clicked, this, &Puissance4Window::dropAt);
        m_cells[k] = cell;
    }

    m_turnMarker = new TurnMarker(this);
    look::sideLabel(*this, "Label1", QStringLiteral("Yellow"), look::twips(480, 120, 615, 375));
    look::sideLabel(*this, "Label2", QStringLiteral("Red"), look::twips(2040, 120, 495, 255));
    m_turnMarker->raise();
    m_yellowName = look::displayField(*this, "Text4", look::twips(120, 360, 1335, 285), look::kSmallPoints, look::kNameBack);
    m_redName = look::displayField(*this, "Text5", look::twips(1560, 360, 1335, 285), look::kSmallPoints, look::kNameBack);
    m_status = look::displayField(*this, "Text1", look::twips(0, 3240, 3015, 375), look::kLargePoints, look::kStatusBack);

    m_flashTimer.setObjectName(QStringLiteral("Timer1"));
    m_flashTimer.setInterval(look::kFlashMs);
    connect(&m_flashTimer, &QTimer::timeout, this, &Puissance4Window::flash);

    // Over the middle rows of the board, where it cannot be missed.
    makeNoticeBand(look::twips(kCellLeft, kCellTop + 2 * look::kBoardPitch, puissance4::kSize * look::kBoardPitch,
                               3 * look::kBoardPitch));

    showStatus();
    showTurnMarker();
}

QString Puissance4Window::statusText() const
{
    return m_status->text();
}

void Puissance4Window::arrangeMarker()
{
    m_game.arrangeMarker();
    showTurnMarker();
}

void Puissance4Window::open()
{
    m_game = Puissance4Game();
    m_flashTimer.stop();
    m_flashCount = 0;
    m_captionInverted = false;
    clearNotices();
    showPlayers();
    for (Puissance4Cell *cell : m_cells)
        cell->update();
    showStatus();
    showTurnMarker();
    showGame();
}

void Puissance4Window::showPlayers()
{
    m_yellowName->setText(m_game.yellowPlayer());
    m_redName->setText(m_game.redPlayer());
}

void Puissance4Window::noteIfOver()
{
    if (m_game.isOver())
        m_station.finishGame(Game::Puissance4);
}

bool Puissance4Window::applyBoard(const wire::Puissance4Board &board)
{
    if (board.numDiscs <= m_game.discCount())
        return false;
    for (int k = 1; k <= kCells; ++k) {
        m_game.setCell(Puissance4Game::columnOf(k), Puissance4Game::rowOf(k), board.cells[k - 1], false);
        m_cells[k]->update();
    }
    m_game.recomputeLevels();
    m_game.setColour(board.color);
    m_game.setDiscCount(board.numDiscs);
    m_game.setStatus(board.status);
    showStatus();
    // The board carries no result of its own; it is read from the status line as shown.
    if (statusText() == kYellowWon || statusText() == kRedWon)
        m_game.setDecided(true);
    arrangeMarker();
    if (m_station.isPlaying(Game::Puissance4)) {
        // The colours alternate, so the colour to move tells who dropped last.
        m_game.claimColour(kYellow + kRed - board.color, m_station.opponent(Game::Puissance4), m_station.userName());
        showPlayers();
        noteIfOver();
    } else if (!hasNotice()) {
        setNotice(look::notOnHereNotice());
    }
    showGame();
    m_flashTimer.start();
    return true;
}

QString Puissance4Window::boardMessage() const
{
    return wire::puissance4Board(m_station.opponent(Game::Puissance4), m_game.cellFields(), m_game.colour(), m_game.discCount(),
                                 statusText());
}

void Puissance4Window::flash()
{
    flashCaption(true);
    ++m_flashCount;
    if (m_flashCount >= look::kFlashes) {
        m_flashTimer.stop();
        m_flashCount = 0;
        flashCaption(false);
    }
}

void Puissance4Window::flashCaption(bool invert)
{
    if (!invert) {
        m_captionInverted = false;
        return;
    }
    m_captionInverted = !m_captionInverted;
    if (m_captionInverted)
        QApplication::alert(this, look::kFlashMs);
}

void Puissance4Window::dropAt(int index)
{
    if (index < 1 || index > kCells)
        return;
    // A drop in a game that is not on here would never reach the opponent.
    if (!m_station.isPlaying(Game::Puissance4))
        return;
    const int column = Puissance4Game::columnOf(index);
    const int row = m_game.drop(column, m_station.userName(), m_station.opponent(Game::Puissance4));
    if (row == 0)
        return;
    showPlayers();
    m_cells[Puissance4Game::indexOf(column, row)]->update();
    showStatus();
    showTurnMarker();
    noteIfOver();
    m_station.broadcastPresence();
}

void Puissance4Window::closeEvent(QCloseEvent *event)
{
    // The board stays as it is, so a newer one can be compared with it.
    m_flashTimer.stop();
    m_flashCount = 0;
    m_captionInverted = false;
    GameWindow::closeEvent(event);
}

void Puissance4Window::showStatus()
{
    m_status->setText(m_game.status());
    m_status->setCursorPosition(0);
}

void Puissance4Window::showTurnMarker()
{
    switch (m_game.marker()) {
    case Puissance4Game::Marker::Start:
        m_turnMarker->showOver(TurnMarker::Side::First, kMarkerStart);
        break;
    case Puissance4Game::Marker::Yellow:
        m_turnMarker->showOver(TurnMarker::Side::First, Puissance4Cell::discColour(kYellow));
        break;
    case Puissance4Game::Marker::Red:
        m_turnMarker->showOver(TurnMarker::Side::Second, Puissance4Cell::discColour(kRed));
        break;
    }
}
