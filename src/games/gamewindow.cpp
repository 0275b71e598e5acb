#include "games/gamewindow.h"

#include "look/attention.h"
#include "look/gamenotice.h"
#include "look/placement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>

GameWindow::GameWindow(Match &match, Qt::WindowFlags extraFlags, QWidget *owner)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | extraFlags)
    , m_match(match)
    , m_owner(owner)
{
    m_flashTimer.setObjectName(QStringLiteral("Timer1"));
    m_flashTimer.setInterval(look::kFlashMs);
    connect(&m_flashTimer, &QTimer::timeout, this, &GameWindow::flash);
    connect(&match, &Match::changed, this, [this] {
        redraw();
        showNotice();
    });
}

void GameWindow::boardArrived()
{
    showGame();
    // A board that lands during a flash joins it rather than starting another.
    if (!m_flashTimer.isActive())
        m_flashTimer.start();
}

void GameWindow::makeNoticeBand(const QRect &rect)
{
    m_noticeBand = look::gameNotice(*this, rect);
    showNotice();
}

void GameWindow::showGame()
{
    if (!m_open)
        look::placeNew(*this, m_owner);
    m_open = true;
    show();
    raise();
    activateWindow();
}

QString GameWindow::notice() const
{
    return m_noticeBand->isVisible() ? m_noticeBand->text() : QString();
}

void GameWindow::showNotice()
{
    QString shown;
    switch (m_match.notice()) {
    case Match::Notice::NotOnHere:
        shown = look::notOnHereNotice();
        break;
    case Match::Notice::OpponentGone:
        shown = look::opponentGoneNotice(m_match.opponent());
        break;
    case Match::Notice::Left:
        shown = look::leftGameNotice();
        break;
    case Match::Notice::None:
        // What the user was told stands before a silence that may pass.
        if (m_match.isOpponentQuiet())
            shown = look::opponentQuietNotice(m_match.opponent());
        break;
    }
    look::setGameNotice(*m_noticeBand, shown);
}

void GameWindow::flash()
{
    QApplication::alert(this, look::kFlashMs / 2);
    if (++m_flashCount >= look::kFlashes) {
        m_flashTimer.stop();
        m_flashCount = 0;
    }
}

void GameWindow::closeEvent(QCloseEvent *event)
{
    m_flashTimer.stop();
    m_flashCount = 0;
    if (!m_match.isRunning())
        m_match.end();
    m_open = false;
    event->accept();
}
