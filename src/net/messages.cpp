#include "net/messages.h"

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

// Fields each code reads, field 0 included.
int fieldsRead(Code code)
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
        return 2 + kPuissance4Cells + 3;
    case Code::OthelloBoard:
        return 2 + kOthelloCells + 2;
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
bool readCells(const QStringList &fields, std::array<qint16, N> &cells)
{
    for (std::size_t k = 0; k < N; ++k) {
        const auto value = inRange(fields[2 + int(k)], 0, 2);
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

QString othelloBoard(const QString &opponent, const QString &boardText, int turnColor, int numDiscs)
{
    return join(Code::OthelloBoard, {opponent}, true) + boardText + QString::number(turnColor)
        + kSeparator + QString::number(numDiscs) + kSeparator;
}

QString puissance4Board(const QString &opponent, const QString &boardText, int color, int numDiscs,
                        const QString &status)
{
    return join(Code::Puissance4Board, {opponent}, true) + boardText + QString::number(color)
        + kSeparator + QString::number(numDiscs) + kSeparator + status + kSeparator;
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

std::optional<Message> read(const QByteArray &datagram)
{
    const auto text = decode(datagram);
    if (!text)
        return std::nullopt;
    Message message;
    message.fields = split(*text);
    const auto code = codeOf(message.fields.front());
    if (!code || message.fields.size() < fieldsRead(*code))
        return std::nullopt;
    message.code = *code;
    cutFields(*code, message.fields);
    const QStringList &f = message.fields;

    switch (*code) {
    case Code::Availability: {
        const auto index = inRange(f[2], 0, 1);
        if (!index)
            return std::nullopt;
        message.availabilityIndex = *index;
        break;
    }
    case Code::OthelloBoard: {
        OthelloBoard &board = message.othello;
        const auto turn = inRange(f[66], 0, 2);
        const auto discs = toNumber(f[67]);
        if (!readCells(f, board.cells) || !turn || !discs)
            return std::nullopt;
        board.turnColor = *turn;
        board.numDiscs = *discs;
        break;
    }
    case Code::Puissance4Board: {
        Puissance4Board &board = message.puissance4;
        const auto color = inRange(f[51], 0, 2);
        const auto discs = inRange(f[52], 0, kPuissance4Cells);
        if (!readCells(f, board.cells) || !color || !discs)
            return std::nullopt;
        board.color = *color;
        board.numDiscs = *discs;
        board.status = f[53];
        break;
    }
    default:
        break;
    }
    return message;
}

} // namespace wire
