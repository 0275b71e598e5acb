#pragma once

#include "wire/kinds.h"
#include "wire/wire.h"

#include <array>
#include <optional>

// Builders and readers of the thirteen messages. Builders give the exact text
// other stations expect; the reader accepts a datagram only when every field
// its code reads is present and well formed, so the dispatcher never acts on
// part of a message.
namespace wire {

inline constexpr int kOthelloCells = 64;
inline constexpr int kPuissance4Cells = 49;

QString chatLine(const QString &name, const QString &time, const QString &text);
QString workLine(const QString &line);
QString teaLine(const QString &line);
QString presence(const QString &name);
QString othelloAccept(const QString &proposer, const QString &acceptor);
QString puissance4Accept(const QString &proposer, const QString &acceptor);
QString privateMessage(const QString &destination, const QString &sender, const QString &text);
QString departure(const QString &name);
QString othelloProposal(const QString &destination, const QString &proposer);
QString puissance4Proposal(const QString &destination, const QString &proposer);
QString availability(const QString &name, int index);
QString proposalDeclined(const QString &proposer, const QString &decliner);

// The codes each game's proposal, accept and board go out under.
struct GameCodes {
    Game game;
    Code proposal;
    Code accept;
    Code board;
};
inline constexpr std::array<GameCodes, kGames.size()> kGameCodes{{
    {Game::Othello, Code::OthelloProposal, Code::OthelloAccept, Code::OthelloBoard},
    {Game::Puissance4, Code::Puissance4Proposal, Code::Puissance4Accept, Code::Puissance4Board},
}};
constexpr const GameCodes &codesOf(Game game) { return kGameCodes[indexOf(game)]; }
// The game a proposal, an accept or a board is about; nothing for any other code.
std::optional<Game> gameOf(Code code);

QString proposal(Game game, const QString &destination, const QString &proposer);
QString accept(Game game, const QString &proposer, const QString &acceptor);

struct OthelloBoard {
    QString opponent;                            // the one the board is sent to
    std::array<qint16, kOthelloCells> cells{};   // x varies fastest
    qint16 turnColor = 0;
    qint16 numDiscs = 0;
};

struct Puissance4Board {
    QString opponent;
    std::array<qint16, kPuissance4Cells> cells{}; // row by row from the top left
    qint16 color = 0;
    qint16 numDiscs = 0;
    QString status;
};

QString othelloBoard(const OthelloBoard &board);
QString puissance4Board(const Puissance4Board &board);

// A message as read, with its fields by what they mean. Only the fields of
// its code are set.
struct Message {
    Code code = Code::WorkLine;
    Game game = Game::Othello;    // 4, 5, 8, 9, 12, 13: the game it is about
    QString line;                 // 1, 2: the whole chat line
    QString name;                 // 3, 7, 10: the one announcing or leaving
    QString destination;          // addressed codes: the one user meant (the proposer of 4, 5, 11)
    QString sender;               // 4, 5: the acceptor; 6: the writer; 8, 9: the proposer; 11: the decliner
    QString text;                 // 6
    qint16 availabilityIndex = 0; // 10: 0 available, 1 not available
    OthelloBoard othello;         // 13
    Puissance4Board puissance4;   // 12
};

// Every field after the code, as split and cut, for tools that show a
// datagram whole; empty when it is not one of ours.
QStringList fieldsOf(const QByteArray &datagram);

bool isAddressed(Code code);

// The message a datagram carries, or nothing when it is not one of ours.
// Names are cut to kMaxNameChars and every other field to kMaxTextChars.
std::optional<Message> read(const QByteArray &datagram);

} // namespace wire
