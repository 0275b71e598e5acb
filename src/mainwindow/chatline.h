#pragma once

#include "wire/kinds.h"

#include <QObject>

#include <functional>

class Station;
class QLineEdit;
class QPushButton;

// The chat line under the rooms: Enter or Send sends what is typed to the
// room shown, and the line warns while it holds characters that others
// would read as "?". Send follows the text alone: where the focus has been
// since does not matter.
class ChatLine final : public QObject
{
    Q_OBJECT
public:
    ChatLine(QLineEdit &input, QPushButton &send, Station &station, std::function<Room()> roomShown);

private:
    void onTextChanged();
    void sendLine();

    QLineEdit &m_input;
    QPushButton &m_send;
    Station &m_station;
    std::function<Room()> m_roomShown;
};
