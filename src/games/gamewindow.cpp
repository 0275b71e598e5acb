#include "games/gamewindow.h"

#include "look/gamenotice.h"
#include "look/placement.h"

#include <QCloseEvent>
#include <QLabel>

GameWindow::GameWindow(Station &station, Game game, Qt::WindowFlags extraFlags, QWidget *owner)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | extraFlags)
    , m_station(station)
    , m_kind(game)
    , m_owner(owner)
{
}

void GameWindow::makeNoticeBand(const QRect &rect)
{
    m_noticeBand = look::gameNotice(*this, rect);
    connect(&m_station, &Station::opponentQuietChanged, this, [this](Game game, bool quiet) {
        if (game != m_kind)
            return;
        m_opponentQuiet = quiet;
        showNotice();
    });
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

void GameWindow::setNotice(const QString &text)
{
    m_notice = text;
    showNotice();
}

QString GameWindow::notice() const
{
    return m_noticeBand->isVisible() ? m_noticeBand->text() : QString();
}

void GameWindow::clearNotices()
{
    m_notice.clear();
    m_opponentQuiet = false;
    showNotice();
}

void GameWindow::showNotice()
{
    // What the user was told stands before a silence that may pass.
    const QString shown = !m_notice.isEmpty() ? m_notice
        : m_opponentQuiet                     ? look::opponentQuietNotice(m_station.opponent(m_kind))
                                              : QString();
    look::setGameNotice(*m_noticeBand, shown);
}

void GameWindow::closeEvent(QCloseEvent *event)
{
    if (!m_station.isRunning(m_kind))
        m_station.endGame(m_kind);
    m_open = false;
    event->accept();
}
