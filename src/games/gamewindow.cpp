#include "games/gamewindow.h"

#include "games/boardcell.h"
#include "look/attention.h"
#include "look/designlayout.h"
#include "look/gamenotice.h"
#include "look/placement.h"
#include "look/names.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
    // A key meant for the chat line must never drop a disc here.
    showGameUnasked();
    // A board that lands during a flash joins it rather than starting another.
    if (!m_flashTimer.isActive())
        m_flashTimer.start();
}

BoardCell *GameWindow::cell(int index) const
{
    return index >= 1 && std::size_t(index) <= m_cells.size() ? m_cells[std::size_t(index - 1)] : nullptr;
}

BoardCell *GameWindow::addCell(const QRect &geometry)
{
    auto *added = new BoardCell(int(m_cells.size()) + 1, [this](QPainter &painter, const BoardCell &shown) {
        drawCell(painter, shown);
    }, this);
    added->setGeometry(geometry);
    m_cells.push_back(added);
    return added;
}

void GameWindow::layOutAsBuilt(const QWidget *movesOnItsOwn)
{
    auto *layout = new DesignLayout(*this, size());
    for (QWidget *child : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child != movesOnItsOwn)
            layout->add(*child);
    }
}

void GameWindow::makeNoticeBand()
{
    m_designHeight = height();
    m_noticeBand = look::gameNotice(*this, QRect(0, m_designHeight, width(), 0));
    m_leaveButton = new QPushButton(look::leaveGameButton(), this);
    m_leaveButton->setObjectName(QStringLiteral("leaveGame"));
    m_leaveButton->setAccessibleDescription(tr("Ends this game here"));
    m_leaveButton->hide();
    connect(m_leaveButton, &QPushButton::clicked, &m_match, &Match::leave);
    showNotice();
}

void GameWindow::showPlayers(QLineEdit &first, QLineEdit &second, const QString &firstPlayer,
                             const QString &secondPlayer) const
{
    const bool undecided = firstPlayer.isEmpty() && secondPlayer.isEmpty();
    first.setText(undecided ? tr("%1 ?").arg(look::shownUserName(m_match.userName())) : look::shownUserName(firstPlayer));
    second.setText(undecided ? tr("%1 ?").arg(look::shownUserName(m_match.opponent())) : look::shownUserName(secondPlayer));
    // A long name shows its beginning.
    first.setCursorPosition(0);
    second.setCursorPosition(0);
}

QString GameWindow::statusText(GameStatus status, const QString &other)
{
    switch (status) {
    case GameStatus::None:
        return {};
    case GameStatus::BlackToPlay:
        return QCoreApplication::translate("GameStatus", "Black To Play");
    case GameStatus::WhiteToPlay:
        return QCoreApplication::translate("GameStatus", "White To Play");
    case GameStatus::BlackWon:
        return QCoreApplication::translate("GameStatus", "Black Won!");
    case GameStatus::WhiteWon:
        return QCoreApplication::translate("GameStatus", "White Won!");
    case GameStatus::Tie:
        return QCoreApplication::translate("GameStatus", "Tie!");
    case GameStatus::YellowToPlayFirst:
        return QCoreApplication::translate("GameStatus", "Yellow To Play!");
    case GameStatus::YellowToPlay:
        return QCoreApplication::translate("GameStatus", "Yellow to Play!");
    case GameStatus::RedToPlay:
        return QCoreApplication::translate("GameStatus", "Red to Play!");
    case GameStatus::YellowWon:
        return QCoreApplication::translate("GameStatus", "Yellow Won!");
    case GameStatus::RedWon:
        return QCoreApplication::translate("GameStatus", "Red Won!");
    case GameStatus::Draw:
        return QCoreApplication::translate("GameStatus", "Draw!");
    case GameStatus::Other:
        break;
    }
    return other;
}

void GameWindow::showGame()
{
    showGameUnasked();
    activateWindow();
}

void GameWindow::showGameUnasked()
{
    if (!m_open)
        look::placeNew(*this, m_owner);
    m_open = true;
    look::showUnasked(*this);
}

QString GameWindow::notice() const
{
    return m_noticeBand->isVisible() ? m_noticeBand->text() : QString();
}

void GameWindow::showNotice()
{
    QString shown;
    switch (m_match.notice()) {
    case Match::Notice::OutOfStep:
        shown = look::outOfStepNotice(look::shownUserName(m_match.opponent()));
        break;
    case Match::Notice::OpponentGone:
        shown = look::opponentGoneNotice(look::shownUserName(m_match.opponent()));
        break;
    case Match::Notice::Left:
        shown = look::leftGameNotice();
        break;
    case Match::Notice::None:
        // What the user was told stands before a silence that may pass.
        if (m_match.isOpponentQuiet())
            shown = look::opponentQuietNotice(look::shownUserName(m_match.opponent()));
        break;
    }
    // Below the board, never over it: the last position is what the user
    // reads the notice against. The button sits under the text.
    const bool offerLeave = m_match.isOpponentQuiet();
    constexpr int kGap = 4;
    m_noticeBand->setContentsMargins(0, 0, 0, 0);
    m_noticeBand->setText(shown);
    const int textHeight = shown.isEmpty() ? 0 : m_noticeBand->heightForWidth(width()) + 2 * kGap;
    const int buttonHeight = offerLeave ? m_leaveButton->sizeHint().height() + kGap : 0;
    m_noticeBand->setGeometry(0, m_designHeight, width(), textHeight + buttonHeight);
    m_noticeBand->setContentsMargins(0, 0, 0, buttonHeight);
    look::setGameNotice(*m_noticeBand, shown);
    const int buttonWidth = qMin(m_leaveButton->sizeHint().width(), width() - 2 * kGap);
    m_leaveButton->setGeometry((width() - buttonWidth) / 2, m_designHeight + textHeight, buttonWidth,
                               m_leaveButton->sizeHint().height());
    m_leaveButton->setVisible(offerLeave);
    m_leaveButton->raise();
    setFixedSize(width(), m_designHeight + (shown.isEmpty() ? 0 : textHeight + buttonHeight));
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
