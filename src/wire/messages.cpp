#include "wire/messages.h"

namespace wire {
namespace {

QString join(Code code, std::initializer_list<QString> fields, bool trailing)
{
    QString text = QString::number(int(code));
    for (const QString &field : fields) {
        text += kSeparator;
        text += field;
    }
    if (trailing)
        text += kSeparator;
    return text;
}

// Where a board's fields lie: the cells follow the opponent, then what the
// kind of board adds.
constexpr int kCellsAt = 2;
constexpr int kOthelloTurnAt = kCellsAt + kOthelloCells;
constexpr int kOthelloDiscsAt = kOthelloTurnAt + 1;
constexpr int kPuissance4ColourAt = kCellsAt + kPuissance4Cells;
constexpr int kPuissance4DiscsAt = kPuissance4ColourAt + 1;
constexpr int kPuissance4StatusAt = kPuissance4DiscsAt + 1;

// Fields each code reads, field 0 included.
int fieldCount(Code code)
{
    switch (code) {
    case Code::WorkLine:
    case Code::TeaLine:
    case Code::Presence:
    case Code::Departure:
        return 2;
    case Code::OthelloAccept:
    case Code::Puissance4Accept:
    case Code::OthelloProposal:
    case Code::Puissance4Proposal:
    case Code::Availability:
    case Code::ProposalDeclined:
        return 3;
    case Code::PrivateMessage:
        return 4;
    case Code::Puissance4Board:
        return kPuissance4StatusAt + 1;
    case Code::OthelloBoard:
        return kOthelloDiscsAt + 1;
    }
    return 0;
}

std::optional<qint16> inRange(const QString &field, int low, int high)
{
    const auto value = toNumber(field);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return value;
}

// Whether field n of a message with this code holds a user name.
bool holdsName(Code code, int n)
{
    switch (code) {
    case Code::WorkLine:
    case Code::TeaLine:
        return false;
    case Code::Presence:
    case Code::Departure:
    case Code::Availability:
    case Code::Puissance4Board:
    case Code::OthelloBoard:
        return n == 1;
    case Code::PrivateMessage:
    case Code::OthelloAccept:
    case Code::Puissance4Accept:
    case Code::OthelloProposal:
    case Code::Puissance4Proposal:
    case Code::ProposalDeclined:
        return n == 1 || n == 2;
    }
    return false;
}

// No real station sends a longer field; a longer one is cut, not processed.
void cutFields(Code code, QStringList &fields)
{
    for (int n = 1; n < fields.size(); ++n) {
        const int bound = holdsName(code, n) ? kMaxNameChars : kMaxTextChars;
        // A copy, not truncate(): a kept name must not hold on to the whole field's memory.
        if (fields[n].size() > bound)
            fields[n] = fields[n].left(bound);
    }
}

template <std::size_t N>
QString cellFields(const std::array<qint16, N> &cells)
{
    QString text;
    text.reserve(int(2 * N));
    for (const qint16 value : cells) {
        text += QString::number(value);
        text += kSeparator;
    }
    return text;
}

template <std::size_t N>
bool readCells(const QStringList &fields, std::array<qint16, N> &cells)
{
    for (std::size_t k = 0; k < N; ++k) {
        const auto value = inRange(fields[kCellsAt + int(k)], 0, 2);
        if (!value)
            return false;
        cells[k] = *value;
    }
    return true;
}

} // namespace

QString chatLine(const QString &name, const QString &time, const QString &text)
{
    return u'[' + name + u',' + time + QStringLiteral("]> ") + text;
}

QString workLine(const QString &line) { return join(Code::WorkLine, {line}, false); }
QString teaLine(const QString &line) { return join(Code::TeaLine, {line}, false); }
QString presence(const QString &name) { return join(Code::Presence, {name}, true); }

QString othelloAccept(const QString &proposer, const QString &acceptor)
{
    return join(Code::OthelloAccept, {proposer, acceptor}, true);
}

QString puissance4Accept(const QString &proposer, const QString &acceptor)
{
    return join(Code::Puissance4Accept, {proposer, acceptor}, true);
}

QString privateMessage(const QString &destination, const QString &sender, const QString &text)
{
    return join(Code::PrivateMessage, {destination, sender, text}, false);
}

QString departure(const QString &name) { return join(Code::Departure, {name}, false); }

std::optional<Game> gameOf(Code code)
{
    for (const GameCodes &codes : kGameCodes) {
        if (code == codes.proposal || code == codes.accept || code == codes.board)
            return codes.game;
    }
    return std::nullopt;
}

QString proposal(Game game, const QString &destination, const QString &proposer)
{
    return join(codesOf(game).proposal, {destination, proposer}, true);
}

QString accept(Game game, const QString &proposer, const QString &acceptor)
{
    return join(codesOf(game).accept, {proposer, acceptor}, true);
}

QString othelloProposal(const QString &destination, const QString &proposer)
{
    return join(Code::OthelloProposal, {destination, proposer}, true);
}

QString puissance4Proposal(const QString &destination, const QString &proposer)
{
    return join(Code::Puissance4Proposal, {destination, proposer}, true);
}

QString availability(const QString &name, int index)
{
    return join(Code::Availability, {name, QString::number(index)}, true);
}

QString proposalDeclined(const QString &proposer, const QString &decliner)
{
    return join(Code::ProposalDeclined, {proposer, decliner}, true);
}

QString othelloBoard(const OthelloBoard &board)
{
    return join(Code::OthelloBoard, {board.opponent}, true) + cellFields(board.cells)
        + QString::number(board.turnColor) + kSeparator + QString::number(board.numDiscs) + kSeparator;
}

QString puissance4Board(const Puissance4Board &board)
{
    return join(Code::Puissance4Board, {board.opponent}, true) + cellFields(board.cells)
        + QString::number(board.color) + kSeparator + QString::number(board.numDiscs) + kSeparator
        + board.status + kSeparator;
}

bool isAddressed(Code code)
{
    switch (code) {
    case Code::WorkLine:
    case Code::TeaLine:
    case Code::Presence:
    case Code::Departure:
    case Code::Availability:
        return false;
    default:
        return true;
    }
}

namespace {

// The datagram's fields, cut to their bounds, when it is one of ours and
// holds every field its code reads.
std::optional<std::pair<Code, QStringList>> splitFields(const QByteArray &datagram)
{
    const auto text = decode(datagram);
    if (!text)
        return std::nullopt;
    QStringList fields = split(*text);
    const auto code = codeOf(fields.front());
    if (!code || fields.size() < fieldCount(*code))
        return std::nullopt;
    cutFields(*code, fields);
    return std::pair{*code, std::move(fields)};
}

} // namespace

QStringList fieldsOf(const QByteArray &datagram)
{
    if (!read(datagram))
        return {};
    return splitFields(datagram)->second.mid(1);
}

std::optional<Message> read(const QByteArray &datagram)
{
    const auto found = splitFields(datagram);
    if (!found)
        return std::nullopt;
    const auto &[code, f] = *found;
    Message message;
    message.code = code;
    if (isAddressed(code))
        message.destination = f[1];
    if (const std::optional<Game> game = gameOf(code))
        message.game = *game;

    switch (code) {
    case Code::WorkLine:
    case Code::TeaLine:
        message.line = f[1];
        break;
    case Code::Presence:
    case Code::Departure:
        message.name = f[1];
        break;
    case Code::Availability: {
        const auto index = inRange(f[2], 0, 1);
        if (!index)
            return std::nullopt;
        message.name = f[1];
        message.availabilityIndex = *index;
        break;
    }
    case Code::PrivateMessage:
        message.sender = f[2];
        message.text = f[3];
        break;
    case Code::OthelloAccept:
    case Code::Puissance4Accept:
    case Code::OthelloProposal:
    case Code::Puissance4Proposal:
    case Code::ProposalDeclined:
        message.sender = f[2];
        break;
    case Code::OthelloBoard: {
        OthelloBoard &board = message.othello;
        const auto turn = inRange(f[kOthelloTurnAt], 0, 2);
        const auto discs = toNumber(f[kOthelloDiscsAt]);
        if (!readCells(f, board.cells) || !turn || !discs)
            return std::nullopt;
        board.opponent = f[1];
        board.turnColor = *turn;
        board.numDiscs = *discs;
        break;
    }
    case Code::Puissance4Board: {
        Puissance4Board &board = message.puissance4;
        const auto color = inRange(f[kPuissance4ColourAt], 0, 2);
        const auto discs = inRange(f[kPuissance4DiscsAt], 0, kPuissance4Cells);
        if (!readCells(f, board.cells) || !color || !discs)
            return std::nullopt;
        board.opponent = f[1];
        board.color = *color;
        board.numDiscs = *discs;
        board.status = f[kPuissance4StatusAt];
        break;
    }
    }
    return message;
}

} // namespace wire
