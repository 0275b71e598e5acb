#include "puissance4/puissance4match.h"

#include "wire/messages.h"

using namespace puissance4;

Puissance4Match::Puissance4Match(const QString &userName, QObject *parent)
    : Match(userName, parent)
{
}

void Puissance4Match::newBoard()
{
    m_game = Puissance4Game();
    m_agreed = m_game;
}

bool Puissance4Match::drop(int column)
{
    // A drop in a game that is not on here would never reach the opponent.
    if (!isPlaying() || m_game.drop(column, userName(), opponent()) == 0)
        return false;
    emit changed();
    emit moved();
    return true;
}

void Puissance4Match::takeBoard(const wire::Puissance4Board &board)
{
    // The board carries no result of its own; it is read from its status line.
    const GameStatus status = statusOf(board.status);
    const bool won = status == GameStatus::YellowWon || status == GameStatus::RedWon;
    const bool overThere = won || status == GameStatus::Draw;
    // A board belongs to the game on with its sender, or to none here.
    if (!isPlaying())
        return;
    if (board.numDiscs <= m_game.discCount()) {
        heardBoard(overThere);
        keptBoard();
        return;
    }
    // Two first drops made at once: the opponent's line of play replaces ours.
    const bool follows = m_game.leadsTo(board.cells, board.color, board.numDiscs, board.status)
        || (m_agreed.isOpening() && m_agreed.leadsTo(board.cells, board.color, board.numDiscs, board.status));
    if (!follows) {
        refusedBoard();
        return;
    }
    heardBoard(overThere);
    for (int k = 1; k <= kCells; ++k)
        m_game.setCell(Puissance4Game::columnOf(k), Puissance4Game::rowOf(k), board.cells[std::size_t(k - 1)], false);
    m_game.recomputeLevels();
    m_game.setColour(board.color);
    m_game.setDiscCount(board.numDiscs);
    m_game.setStatusLine(board.status);
    if (won)
        m_game.setDecided(true);
    m_game.arrangeMarker();
    // The colours alternate, so the colour to move tells who dropped last.
    m_game.claimColour(kYellow + kRed - board.color, opponent(), userName());
    m_agreed = m_game;
    tookBoard();
}

void Puissance4Match::takeBoardMessage(const wire::Message &message)
{
    takeBoard(message.puissance4);
}

QString Puissance4Match::boardMessage() const
{
    return wire::puissance4Board(
        {opponent(), m_game.cells(), m_game.colour(), m_game.discCount(), m_game.statusLine()});
}
