#include "games/match.h"

#include <utility>

Match::Match(const QString &userName, QObject *parent)
    : QObject(parent)
    , m_userName(userName)
{
}

void Match::start(const QString &opponent)
{
    newBoard();
    m_notice = Notice::None;
    m_opponent = opponent;
    m_playing = true;
    m_quietPeriods = 0;
    m_refusedBoards = false;
    emit changed();
}

void Match::stop(Notice notice)
{
    m_playing = false;
    m_quietPeriods = 0;
    if (notice != Notice::None)
        m_notice = notice;
    emit changed();
}

void Match::end()
{
    stop(Notice::None);
}

void Match::leave()
{
    if (m_playing)
        stop(Notice::Left);
}

void Match::userLeft(const QString &name)
{
    // A station that leaves forgets its games.
    if (isRunning() && m_opponent == name)
        stop(Notice::OpponentGone);
}

void Match::periodPassed()
{
    if (isRunning() && m_quietPeriods < kQuietPeriods && ++m_quietPeriods == kQuietPeriods) {
        if (m_refusedBoards)
            stop(Notice::OutOfStep);
        else
            emit changed();
    }
}

void Match::heardBoard(bool overThere)
{
    // A board further on that ends the game ends it here too; one that is not
    // leaves an opponent whose station plays no more: it is told at once.
    const bool wasQuiet = isOpponentQuiet();
    m_refusedBoards = false;
    m_quietPeriods = overThere && !isOver() ? kQuietPeriods : 0;
    m_quietChanged = wasQuiet != isOpponentQuiet();
}

void Match::tookBoard()
{
    m_quietChanged = false;
    emit changed();
    emit boardReceived();
}

void Match::keptBoard()
{
    if (std::exchange(m_quietChanged, false))
        emit changed();
}

void Match::refusedBoard()
{
    m_refusedBoards = true;
    keptBoard();
}
