#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The wire format, shared by every station on the segment:
//
//   datagram  := field ( "§" field )*          one message, Windows-1252, no framing
//   field 0   := "1" .. "13"                   the code, compared as exact text
//   number    := "-"? digit+                   16-bit signed, decimal
//
//   1  WorkLine            1§line
//   2  TeaLine             2§line
//   3  Presence            3§name§
//   4  OthelloAccept       4§proposer§acceptor§
//   5  Puissance4Accept    5§proposer§acceptor§
//   6  PrivateMessage      6§destination§sender§text
//   7  Departure           7§name
//   8  OthelloProposal     8§destination§proposer§
//   9  Puissance4Proposal  9§destination§proposer§
//   10 Availability        10§name§index§
//   11 ProposalDeclined    11§proposer§decliner§
//   12 Puissance4Board     12§opponent§cell×49 ... §Color§NumDiscs§status§
//   13 OthelloBoard        13§opponent§cell×64 ... §TurnColor§NumDiscs§
//
// Codes 4, 5, 6, 8, 9, 11, 12 and 13 are addressed: field 1 names the one user meant.
namespace wire {

inline constexpr quint16 kPort = 31313;
inline constexpr char kBroadcastAddress[] = "255.255.255.255";
inline constexpr QChar kSeparator{0x00A7};   // "§", byte 0xA7 on the wire
inline constexpr int kMaxTypedText = 400;     // chat line and private message

// Received fields are cut to these lengths before anything reads them, so a
// host sending 65,000-character fields costs no more than a real station.
// A user name is a login name: 32 characters on Linux, 256 on Windows; four
// times that leaves room for any real one.
inline constexpr int kMaxNameChars = 1024;
// The longest text a real station sends is a chat line, "[name,time]> " with
// 400 typed characters (about 700 with the longest name), or a private message
// of 400 typed characters whose line breaks go out as CR LF (800 at most);
// several times either, and short enough for a log line or a window to show at once.
inline constexpr int kMaxTextChars = 4096;

enum class Code {
    WorkLine = 1,
    TeaLine,
    Presence,
    OthelloAccept,
    Puissance4Accept,
    PrivateMessage,
    Departure,
    OthelloProposal,
    Puissance4Proposal,
    Availability,
    ProposalDeclined,
    Puissance4Board,
    OthelloBoard,
};

// Windows-1252 both ways. A character the code page lacks goes out as "?",
// as the original platform sends it; a byte the code page leaves undefined
// does not decode, and the datagram is then not text at all.
QByteArray encode(const QString &text);
std::optional<QString> decode(const QByteArray &bytes);

// Splits at every separator and keeps empty fields ("3§bob§" gives 3 fields).
QStringList split(const QString &message);

// Field 0 as a code, or nothing for any text other than "1" .. "13".
std::optional<Code> codeOf(const QString &field0);

// A 16-bit signed decimal number, or nothing for anything else.
std::optional<qint16> toNumber(const QString &field);

} // namespace wire
