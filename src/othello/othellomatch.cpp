#include "othello/othellomatch.h"

#include "wire/messages.h"

OthelloMatch::OthelloMatch(const QString &userName, QObject *parent)
    : Match(userName, parent)
{
}

void OthelloMatch::newBoard()
{
    m_game = OthelloGame::initial();
    m_agreed = m_game;
}

bool OthelloMatch::play(int x, int y)
{
    // A move in a game that is not on here would never reach the opponent.
    const bool played = isPlaying() && m_game.playMove(x, y, m_game.turnColour(), userName(), opponent());
    if (played) {
        emit changed();
        emit moved();
    }
    emit moveTried();
    return played;
}

void OthelloMatch::takeBoard(const wire::OthelloBoard &board)
{
    // A board belongs to the game on with its sender, or to none here.
    if (!isPlaying())
        return;
    const bool overThere = board.turnColor == OthelloGame::kGameOver;
    if (board.numDiscs <= m_game.discCount()) {
        heardBoard(overThere);
        keptBoard();
        return;
    }
    // Two first moves made at once: the opponent's line of play replaces ours.
    const bool follows = m_game.leadsTo(board.cells, board.turnColor, board.numDiscs)
        || (m_agreed.isOpening() && m_agreed.leadsTo(board.cells, board.turnColor, board.numDiscs));
    if (!follows) {
        refusedBoard();
        return;
    }
    heardBoard(overThere);
    const qint16 mover = m_game.colourThatMoved(board.cells, board.turnColor);
    m_game.setCells(board.cells);
    m_game.setTurnColour(board.turnColor);
    m_game.setDiscCount(board.numDiscs);
    m_game.claimColour(mover, opponent(), userName());
    m_agreed = m_game;
    tookBoard();
}

void OthelloMatch::takeBoardMessage(const wire::Message &message)
{
    takeBoard(message.othello);
}

QString OthelloMatch::boardMessage() const
{
    return wire::othelloBoard({opponent(), m_game.cells(), m_game.turnColour(), m_game.discCount()});
}
