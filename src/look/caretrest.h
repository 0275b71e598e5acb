#pragma once

#include <QObject>

class QTimer;

// As desktops do (GNOME after 10 s), the caret blinks while the user types
// and holds still once nobody has typed, clicked or moved the focus for a
// while: a blinking caret would wake an idle station twice a second. Watches
// the whole program's input: any key, click or focus change blinks it again
// and restarts the one timer that stills it.
class CaretRest final : public QObject
{
    Q_OBJECT
public:
    static constexpr int kRestMs = 10000;

    explicit CaretRest(QObject *parent);
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void wake();

    int m_blinking = 0;
    QTimer *m_rest = nullptr;
};
