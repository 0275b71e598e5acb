#include "mainwindow/statusclock.h"

#include "look/names.h"

#include <QLabel>
#include <QTime>
#include <QTimer>

namespace {

// The clock ticks this long after each second begins: a timer may fire a
// little early, and a tick just before the second would show the old one.
constexpr int kLateMs = 20;
const QString kFormat = QStringLiteral("hh:mm:ss");
constexpr int kBlinkAt = 5; // the colon between minutes and seconds

} // namespace

StatusClock::StatusClock(QLabel &label)
    : QObject(&label)
    , m_label(label)
    , m_timer(look::named(new QTimer(this), "Timer3"))
{
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &StatusClock::tick);
    const QTime now = QTime::currentTime();
    label.setText(now.toString(kFormat));
    // Its digits are as wide as one another: held at this size, a tick
    // repaints the panel and lays out nothing.
    label.setFixedSize(label.sizeHint());
    m_timer->start(1000 - now.msec() + kLateMs);
}

void StatusClock::stop()
{
    m_timer->stop();
}

void StatusClock::tick()
{
    const QTime time = QTime::currentTime();
    QString now = time.toString(kFormat);
    if (m_label.text().mid(kBlinkAt, 1) == QLatin1String(":"))
        now[kBlinkAt] = u' ';
    m_label.setText(now);
    m_timer->start(1000 - time.msec() + kLateMs);
}
