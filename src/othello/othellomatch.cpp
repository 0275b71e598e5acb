#include "othello/othellomatch.h"

#include "wire/messages.h"

OthelloMatch::OthelloMatch(const QString &userName, QObject *parent)
    : Match(userName, parent)
{
}

void OthelloMatch::newBoard()
{
    m_game = OthelloGame::initial();
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
    heardBoard(board.turnColor == OthelloGame::kGameOver);
    if (board.numDiscs <= m_game.discCount()) {
        keptBoard();
        return;
    }
    const qint16 mover = m_game.colourThatMoved(board.cells, board.turnColor);
    m_game.setCells(board.cells);
    m_game.setTurnColour(board.turnColor);
    m_game.setDiscCount(board.numDiscs);
    if (isPlaying())
        m_game.claimColour(mover, opponent(), userName());
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
