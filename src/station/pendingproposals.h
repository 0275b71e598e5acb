#pragma once

#include "wire/kinds.h"

#include <QList>
#include <QString>

// The games this station has proposed and not yet heard answered: an accept
// starts a game only when it answers one of them, so no host can start a game
// nobody asked for.
class PendingProposals final
{
public:
    // A user proposes to a handful of people before one answers; past this
    // many the oldest proposal is forgotten, so a proposal sent in a loop
    // holds no more than this.
    static constexpr int kMaxPending = 32;
    // A proposal unanswered this long is forgotten. Ten minutes leave the one
    // asked time to come back to the window and answer; an accept after that
    // answers a question its proposer no longer waits for.
    static constexpr qint64 kExpiryMs = 10 * 60 * 1000;

    void add(Game game, const QString &to, qint64 nowMs);
    // Whether a proposal of the game to that user is waiting; it is answered
    // and forgotten.
    bool take(Game game, const QString &from, qint64 nowMs);
    // A decline answers one proposal to that user, the oldest: it does not
    // say which game. Returns whether one was waiting.
    bool forget(const QString &to);
    bool isWaiting(Game game, const QString &to, qint64 nowMs) const;
    struct Expired {
        Game game;
        QString to;
    };
    // Forgets and returns the proposals past their expiry.
    QList<Expired> dropExpired(qint64 nowMs);

private:
    struct Proposal {
        Game game;
        QString to;
        qint64 atMs;
    };
    QList<Proposal> m_proposals; // oldest first
};
