#include "cli/datagramtext.h"

#include "wire/messages.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {
namespace {

const QString kUndecodable = QStringLiteral("Undecodable");

QString senderText(const QHostAddress &sender)
{
    // A link bound to IPv6 would report IPv4 peers as ::ffff:a.b.c.d.
    bool isIpv4 = false;
    const quint32 ipv4 = sender.toIPv4Address(&isIpv4);
    return isIpv4 ? QHostAddress(ipv4).toString() : sender.toString();
}

} // namespace

QString codeName(wire::Code code)
{
    switch (code) {
    case wire::Code::WorkLine: return QStringLiteral("WorkLine");
    case wire::Code::TeaLine: return QStringLiteral("TeaLine");
    case wire::Code::Presence: return QStringLiteral("Presence");
    case wire::Code::OthelloAccept: return QStringLiteral("OthelloAccept");
    case wire::Code::Puissance4Accept: return QStringLiteral("Puissance4Accept");
    case wire::Code::PrivateMessage: return QStringLiteral("PrivateMessage");
    case wire::Code::Departure: return QStringLiteral("Departure");
    case wire::Code::OthelloProposal: return QStringLiteral("OthelloProposal");
    case wire::Code::Puissance4Proposal: return QStringLiteral("Puissance4Proposal");
    case wire::Code::Availability: return QStringLiteral("Availability");
    case wire::Code::ProposalDeclined: return QStringLiteral("ProposalDeclined");
    case wire::Code::Puissance4Board: return QStringLiteral("Puissance4Board");
    case wire::Code::OthelloBoard: return QStringLiteral("OthelloBoard");
    }
    return {};
}

QString datagramLine(const QByteArray &datagram, const QHostAddress &sender, const QDateTime &time)
{
    QStringList parts{time.toString(QStringLiteral("HH:mm:ss.zzz")), senderText(sender)};
    if (const auto message = wire::read(datagram)) {
        parts << codeName(message->code);
        for (const QString &field : wire::fieldsOf(datagram))
            parts << printable(field);
    } else {
        parts << kUndecodable << QString::fromLatin1(datagram.toHex());
    }
    return parts.join(u'\t');
}

QByteArray datagramJson(const QByteArray &datagram, const QHostAddress &sender, const QDateTime &time)
{
    QJsonObject object{
        {QStringLiteral("time"), time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODateWithMs)},
        {QStringLiteral("sender"), senderText(sender)},
    };
    if (const auto message = wire::read(datagram)) {
        object.insert(QStringLiteral("code"), int(message->code));
        object.insert(QStringLiteral("name"), codeName(message->code));
        object.insert(QStringLiteral("fields"), QJsonArray::fromStringList(wire::fieldsOf(datagram)));
    } else {
        object.insert(QStringLiteral("name"), kUndecodable);
        object.insert(QStringLiteral("hex"), QString::fromLatin1(datagram.toHex()));
    }
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QString printable(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'\\')
            shown += QLatin1String("\\\\");
        else if (c == u'\t')
            shown += QLatin1String("\\t");
        else if (c == u'\n')
            shown += QLatin1String("\\n");
        else if (c == u'\r')
            shown += QLatin1String("\\r");
        else if (c < 0x20 || (c >= 0x7F && c < 0xA0))
            shown += QStringLiteral("\\x%1").arg(int(c), 2, 16, QChar(u'0'));
        else
            shown += ch;
    }
    return shown;
}

} // namespace cli
