#include "mainwindow/chatline.h"

#include "dialogs/notes.h"

#include "look/look.h"
#include "wire/carriedtext.h"
#include "station/station.h"
#include "wire/typedtext.h"
#include "wire/wire.h"

#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>

ChatLine::ChatLine(QLineEdit &input, QPushButton &send, Station &station, std::function<Room()> roomShown)
    : QObject(&input)
    , m_input(input)
    , m_send(send)
    , m_station(station)
    , m_roomShown(std::move(roomShown))
{
    input.setMaxLength(wire::kMaxTypedText);
    send.setEnabled(false);
    connect(&input, &QLineEdit::textChanged, this, &ChatLine::onTextChanged);
    connect(&input, &QLineEdit::returnPressed, this, &ChatLine::sendLine);
    connect(&send, &QPushButton::clicked, this, &ChatLine::sendLine);
}

void ChatLine::onTextChanged()
{
    m_send.setEnabled(!m_input.text().isEmpty());
    // The line still goes out as typed; the sender only learns beforehand
    // what others will read.
    const QString note = notes::lostInTransit(wire::lostInTransit(m_input.text()));
    const bool wasMarked = !m_input.toolTip().isEmpty();
    m_input.setToolTip(note);
    QPalette palette;
    if (!note.isEmpty())
        palette.setColor(QPalette::Base, look::kLossyInputBack);
    m_input.setPalette(palette);
    // Shown at the first such character, and kept up to date while it shows.
    if (!note.isEmpty() && (!wasMarked || QToolTip::isVisible()) && m_input.isVisible())
        QToolTip::showText(m_input.mapToGlobal(QPoint(0, m_input.height())), note, &m_input);
}

void ChatLine::sendLine()
{
    const QString text = m_input.text();
    const wire::TypedTextFault fault = wire::typedTextFault(text, wire::Lines::One);
    if (fault == wire::TypedTextFault::Separator)
        look::refuseSeparator(*m_input.window());
    if (fault != wire::TypedTextFault::None)
        return;
    m_station.sendChatLine(m_roomShown(), text);
    m_input.clear();
}
