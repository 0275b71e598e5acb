#include "othello/othellowindow.h"

#include "look/attention.h"
#include "look/gamenotice.h"
#include "look/look.h"
#include "look/turnmarker.h"
#include "net/station.h"
#include "othello/othellocell.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

// Layout in twips.
constexpr int kClientWidth = 3015;
constexpr int kClientHeight = 4080;
constexpr int kBoardLeft = 300;
constexpr int kBoardTop = 1150;

// The lines between the cells: one pixel of the pitch is left to them, so the
// board reads as a grid of squares rather than one green field.
const QColor kGridColour{0, 80, 30};
constexpr int kGridLine = 1;

QColor discColour(int colour)
{
    return colour == OthelloGame::kBlack ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace

OthelloWindow::OthelloWindow(Station &station, QWidget *owner)
    : GameWindow(station, Game::Othello, {}, owner)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Othello Table"));
    setWindowIcon(look::sunIcon());
    setFixedSize(look::twips(0, 0, kClientWidth, kClientHeight).size());
    setFont(look::verdana(look::kSmallPoints));
    look::setBackground(*this, look::Picture::Warm, look::kWindowBack);

    look::sideLabel(*this, "Label1", QStringLiteral("Black"), look::twips(480, 120, 615, 375));
    look::sideLabel(*this, "Label2", QStringLiteral("White"), look::twips(1920, 120, 615, 255));

    m_turnMarker = new TurnMarker(this);

    m_blackName = look::displayField(*this, "Text4", look::twips(120, 360, 1335, 285), look::kSmallPoints, look::kNameBack);
    m_whiteName = look::displayField(*this, "Text5", look::twips(1560, 360, 1335, 285), look::kSmallPoints, look::kNameBack);
    const QColor windowColour = palette().color(QPalette::Base);
    m_blackScore = look::displayField(*this, "Text1", look::twips(600, 720, 375, 285), look::kLargePoints, windowColour);
    m_whiteScore = look::displayField(*this, "Text2", look::twips(2040, 720, 375, 285), look::kLargePoints, windowColour);
    m_status = look::displayField(*this, "Text3", look::twips(0, 3720, kClientWidth, 360), look::kLargePoints, look::kStatusBack);

    const QPoint boardAt = look::twips(kBoardLeft, kBoardTop, 0, 0).topLeft();
    const int pitch = look::px(look::kBoardPitch);
    auto *grid = new QWidget(this);
    grid->setObjectName(QStringLiteral("boardGrid"));
    grid->setGeometry(QRect(boardAt, QSize(OthelloGame::kSize * pitch, OthelloGame::kSize * pitch))
                          .adjusted(-kGridLine, -kGridLine, 0, 0));
    grid->setAutoFillBackground(true);
    QPalette gridColours = grid->palette();
    gridColours.setColor(QPalette::Window, kGridColour);
    grid->setPalette(gridColours);
    for (int index = 1; index <= OthelloGame::kCells; ++index) {
        auto *cell = new OthelloCell(index, this);
        cell->setObjectName(QStringLiteral("Picture1"));
        cell->setGeometry(boardAt.x() + (OthelloGame::columnOf(index) - 1) * pitch,
                          boardAt.y() + (OthelloGame::rowOf(index) - 1) * pitch, pitch - kGridLine, pitch - kGridLine);
        connect(cell, &OthelloCell::clicked, this, &OthelloWindow::playAt);
        connect(cell, &OthelloCell::mouseMoved, this, &OthelloWindow::hoverOver);
        connect(cell, &OthelloCell::mouseLeft, this, &OthelloWindow::leaveCell);
        m_cells[std::size_t(index - 1)] = cell;
    }
    // Over the middle four rows, where it cannot be missed.
    makeNoticeBand(QRect(boardAt + QPoint(0, 2 * pitch), QSize(OthelloGame::kSize * pitch, 4 * pitch)));

    m_flashTimer.setObjectName(QStringLiteral("Timer1"));
    m_flashTimer.setInterval(look::kFlashMs);
    connect(&m_flashTimer, &QTimer::timeout, this, &OthelloWindow::flash);
}

OthelloCell *OthelloWindow::cell(int index) const
{
    if (index < 1 || index > OthelloGame::kCells)
        return nullptr;
    return m_cells[std::size_t(index - 1)];
}

void OthelloWindow::drawCell(int x, int y)
{
    OthelloCell *shown = cell(OthelloGame::indexOf(x, y));
    const qint16 colour = m_game.cell(x, y);
    shown->setBackColour(OthelloCell::kGreen);
    if (colour == OthelloGame::kEmpty)
        return;
    shown->setFillColour(discColour(colour));
    shown->drawDisc();
}

void OthelloWindow::setCell(int x, int y, int colour)
{
    if (!OthelloGame::onBoard(x, y) || !OthelloGame::isColour(colour))
        return;
    m_game.setCell(x, y, colour);
    drawCell(x, y);
}

void OthelloWindow::showScore()
{
    const OthelloGame::Score score = m_game.score();
    m_blackScore->setText(QString::number(score.black));
    m_whiteScore->setText(QString::number(score.white));
    if (!score.status.isNull())
        m_status->setText(score.status);
    const qint16 turn = m_game.turnColour();
    if (turn == OthelloGame::kBlack || turn == OthelloGame::kWhite) {
        const bool black = turn == OthelloGame::kBlack;
        m_turnMarker->showOver(black ? TurnMarker::Side::First : TurnMarker::Side::Second, discColour(turn));
    }
}

void OthelloWindow::open()
{
    m_game = OthelloGame::initial();
    for (OthelloCell *cell : m_cells)
        cell->reset();
    for (int index = 1; index <= OthelloGame::kCells; ++index) {
        if (m_game.cell(OthelloGame::columnOf(index), OthelloGame::rowOf(index)) != OthelloGame::kEmpty)
            drawCell(OthelloGame::columnOf(index), OthelloGame::rowOf(index));
    }
    m_flashTimer.stop();
    m_flashCount = 0;
    m_highlighted = 0;
    clearNotices();
    showPlayers();
    showScore();
    showGame();
}

void OthelloWindow::showPlayers()
{
    m_blackName->setText(m_game.blackPlayer());
    m_whiteName->setText(m_game.whitePlayer());
}

void OthelloWindow::noteIfOver()
{
    if (m_game.isOver())
        m_station.finishGame(Game::Othello);
}

bool OthelloWindow::applyBoard(const wire::OthelloBoard &board)
{
    const auto isColour = [](qint16 value) { return OthelloGame::isColour(value); };
    if (!std::all_of(board.cells.begin(), board.cells.end(), isColour) || !isColour(board.turnColor))
        return false;
    if (board.numDiscs <= m_game.discCount())
        return false;

    const qint16 mover = m_game.colourThatMoved(board.cells, board.turnColor);
    for (int y = 1; y <= OthelloGame::kSize; ++y) {
        for (int x = 1; x <= OthelloGame::kSize; ++x)
            setCell(x, y, board.cells[std::size_t(OthelloGame::indexOf(x, y) - 1)]);
    }
    m_game.setTurnColour(board.turnColor);
    showScore();
    m_game.setDiscCount(board.numDiscs);
    m_highlighted = 0;
    if (m_station.isPlaying(Game::Othello)) {
        m_game.claimColour(mover, m_station.opponent(Game::Othello), m_station.userName());
        showPlayers();
        noteIfOver();
    } else if (!hasNotice()) {
        setNotice(look::notOnHereNotice());
    }
    showGame();
    // A board that lands during a flash joins it rather than starting another.
    if (!m_flashTimer.isActive())
        m_flashTimer.start();
    return true;
}

QString OthelloWindow::boardMessage() const
{
    return wire::othelloBoard(m_station.opponent(Game::Othello), m_game.cellFields(), m_game.turnColour(), m_game.discCount());
}

void OthelloWindow::playAt(int index)
{
    // A move in a game that is not on here would never reach the opponent.
    if (cell(index) && m_station.isPlaying(Game::Othello)) {
        const OthelloGame before = m_game;
        if (m_game.playMove(OthelloGame::columnOf(index), OthelloGame::rowOf(index), m_game.turnColour(),
                            m_station.userName(), m_station.opponent(Game::Othello))) {
            for (int changed = 1; changed <= OthelloGame::kCells; ++changed) {
                const int x = OthelloGame::columnOf(changed), y = OthelloGame::rowOf(changed);
                if (m_game.cell(x, y) != before.cell(x, y))
                    drawCell(x, y);
            }
            showPlayers();
            noteIfOver();
            m_station.broadcastPresence();
            showScore();
        }
    }
    // A refused click leaves no square that looks like a disc.
    clearHighlight();
    m_station.restartBroadcastPeriod();
}

void OthelloWindow::clearHighlight()
{
    // Redrawn from the board rather than just turned green, so that a disc put
    // there since the highlight is not wiped out.
    if (cell(m_highlighted))
        drawCell(OthelloGame::columnOf(m_highlighted), OthelloGame::rowOf(m_highlighted));
    m_highlighted = 0;
}

void OthelloWindow::hoverOver(int index)
{
    OthelloCell *hovered = cell(index);
    if (!hovered || m_game.turnColour() == OthelloGame::kGameOver || hovered->fillColour() != look::kLightGrey
        || !m_station.isPlaying(Game::Othello))
        return;
    clearHighlight();
    hovered->setBackColour(discColour(m_game.turnColour()));
    m_highlighted = index;
}

void OthelloWindow::leaveCell(int index)
{
    // The highlight shows where the mouse is; left behind it would look like a disc.
    if (index == m_highlighted)
        clearHighlight();
}

void OthelloWindow::flash()
{
    QApplication::alert(this, look::kFlashMs / 2);
    ++m_flashCount;
    if (m_flashCount >= look::kFlashes) {
        m_flashTimer.stop();
        m_flashCount = 0;
    }
}

void OthelloWindow::closeEvent(QCloseEvent *event)
{
    clearHighlight();
    m_flashTimer.stop();
    GameWindow::closeEvent(event);
}
