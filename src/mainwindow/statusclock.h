#pragma once

#include <QObject>

class QLabel;
class QTimer;

// The status bar's clock: the time of day, its colon blinking once a second.
// It ticks at the turn of each second and wakes the station for nothing else.
class StatusClock final : public QObject
{
    Q_OBJECT
public:
    // Shows the time in the label from now on; the label keeps its size.
    explicit StatusClock(QLabel &label);
    void stop();

private:
    void tick();

    QLabel &m_label;
    QTimer *m_timer;
};
