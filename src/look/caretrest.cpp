#include "look/caretrest.h"

#include "look/names.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

CaretRest::CaretRest(QObject *parent)
    : QObject(parent)
{
    // Read before this program first stills it, so it is the platform's.
    static const int platformFlashTime = QApplication::cursorFlashTime();
    m_blinking = platformFlashTime;
    m_rest = look::named(new QTimer(this), "CaretRest");
    m_rest->setSingleShot(true);
    connect(m_rest, &QTimer::timeout, this, [] { QApplication::setCursorFlashTime(0); });
    qApp->installEventFilter(this);
    wake();
}

bool CaretRest::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::FocusIn:
        wake();
        break;
    default:
        break;
    }
    return false;
}

void CaretRest::wake()
{
    if (QApplication::cursorFlashTime() != m_blinking)
        QApplication::setCursorFlashTime(m_blinking);
    m_rest->start(kRestMs);
}
