#pragma once

#include "net/station.h"

#include <QPointer>
#include <QWidget>

class QLabel;

// What both game windows share: where a window opens, whether it is open,
// the station's game it shows, and what it says over the board when that
// game cannot go on.
class GameWindow : public QWidget
{
    Q_OBJECT
public:
    // Shown, not closed by the user.
    bool isOpen() const { return m_open; }
    // Shows the game as it stands, without starting a new one.
    void showGame();

    // Said over the board when the game cannot go on; empty clears it.
    void setNotice(const QString &text);
    QString notice() const;

protected:
    // The owner is only where the window opens.
    GameWindow(Station &station, Game game, Qt::WindowFlags extraFlags, QWidget *owner);

    // The band over the board; made once the board is built, so it lies above it.
    void makeNoticeBand(const QRect &rect);
    // A new game: nothing to say.
    void clearNotices();
    bool hasNotice() const { return !m_notice.isEmpty(); }

    // A running game outlives its window; one that is over ends with it.
    void closeEvent(QCloseEvent *event) override;

    Station &m_station;
    const Game m_kind; // which game this window shows

private:
    void showNotice();

    QPointer<QWidget> m_owner;
    QLabel *m_noticeBand = nullptr;
    QString m_notice;
    bool m_opponentQuiet = false;
    bool m_open = false;
};
