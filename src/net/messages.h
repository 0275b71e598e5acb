#pragma once

#include "net/wire.h"

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
// boardText is the game window's FillRC(): every cell followed by a separator.
QString othelloBoard(const QString &opponent, const QString &boardText, int turnColor, int numDiscs);
QString puissance4Board(const QString &opponent, const QString &boardText, int color, int numDiscs,
                        const QString &status);

struct OthelloBoard {
    std::array<qint16, kOthelloCells> cells{};   // x varies fastest
    qint16 turnColor = 0;
    qint16 numDiscs = 0;
};

struct Puissance4Board {
    std::array<qint16, kPuissance4Cells> cells{};
    qint16 color = 0;
    qint16 numDiscs = 0;
    QString status;
};

struct Message {
    Code code = Code::WorkLine;
    QStringList fields;           // as split, field 0 included
    qint16 availabilityIndex = 0; // code 10: 0 available, 1 not available
    OthelloBoard othello;         // code 13
    Puissance4Board puissance4;   // code 12

    QString field(int n) const { return fields.value(n); }
};

bool isAddressed(Code code);

// The message a datagram carries, or nothing when it is not one of ours.
// Names are cut to kMaxNameChars and every other field to kMaxTextChars.
std::optional<Message> read(const QByteArray &datagram);

} // namespace wire
