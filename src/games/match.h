#pragma once

#include "wire/kinds.h"

#include <QObject>
#include <QString>

namespace wire {
struct Message;
}

// One game of a kind as this station plays it, without any window: against
// whom, whether it is on, over, quiet or left, and the board that goes out
// every period. Its kind adds the rules, applies the opponent's boards and
// plays the user's moves; a window only draws it and reports clicks.
class Match : public QObject
{
    Q_OBJECT
public:
    // A station playing a game sends its board every period, so this many
    // periods without one means the opponent no longer plays it (its window
    // closed, its station gone). Three periods ride out a lost datagram or two
    // and still tell a waiting player within 15 seconds.
    static constexpr int kQuietPeriods = 3;

    // Why the game cannot go on here, said over its board.
    enum class Notice { None, OutOfStep, OpponentGone, Left };

    const QString &userName() const { return m_userName; }
    const QString &opponent() const { return m_opponent; }

    // On from an accept, sent or received, until the user leaves it, its
    // window closes once it is over, or the station stops; closing the window
    // of a running game keeps it. While it is on its board goes out every period.
    bool isPlaying() const { return m_playing; }
    // The board shows a result.
    virtual bool isOver() const = 0;
    // On and not yet over: a new game of this kind must wait for it.
    bool isRunning() const { return m_playing && !isOver(); }
    // Neither over nor said to be unable to go on.
    bool canGoOn() const { return !isOver() && m_notice == Notice::None; }
    Notice notice() const { return m_notice; }
    // The opponent of a running game has sent no board for kQuietPeriods
    // periods, or sent one that says the game is over there.
    bool isOpponentQuiet() const { return isRunning() && m_quietPeriods >= kQuietPeriods; }

    // A game begins against the opponent on a new board. The station starts
    // one only while none of its kind is running.
    void start(const QString &opponent);
    // The game ends here, saying nothing: the station stops, or the window of
    // a game that is over closes.
    void end();
    // The user leaves the game.
    void leave();
    // A user left the network: a running game against them cannot go on.
    void userLeft(const QString &name);
    // One broadcast period has passed without this game's board from the opponent.
    void periodPassed();

    // The board datagram sent to the opponent every period while the game is on.
    virtual QString boardMessage() const = 0;
    // A board of this game addressed to this user, from the opponent's station.
    virtual void takeBoardMessage(const wire::Message &message) = 0;

signals:
    // Anything a window shows has changed.
    void changed();
    // The opponent's board was taken: its window shows itself and draws attention.
    void boardReceived();
    // The user's move was made: the board goes out at once.
    void moved();
    // A game whose peers time the broadcast period from every click on the
    // board, taken or not, says so: the period starts anew.
    void moveTried();

protected:
    Match(const QString &userName, QObject *parent);

    virtual void newBoard() = 0;
    // A board addressed to this user arrived: the opponent still plays,
    // unless the board says the game is over there while it is not here.
    // Then either tookBoard() or keptBoard(), so a board emits one changed().
    void heardBoard(bool overThere);
    // After an opponent's board was applied: the opponent made its last move.
    void tookBoard();
    // The board heard was not further on than the one here and changed nothing on it.
    void keptBoard();
    // A board further on came that does not follow this one, and changed
    // nothing here. Boards that keep doing so for kQuietPeriods periods end
    // the game: the two no longer agree.
    void refusedBoard();

private:
    void stop(Notice notice);

    const QString &m_userName;
    QString m_opponent;
    bool m_playing = false;
    int m_quietPeriods = 0;
    bool m_refusedBoards = false; // since a board was last heard
    bool m_quietChanged = false; // by the board being heard, until it is taken or kept
    Notice m_notice = Notice::None;
};
