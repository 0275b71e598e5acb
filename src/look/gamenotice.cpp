#include "look/gamenotice.h"

#include "look/look.h"

#include <QCoreApplication>
#include <QLabel>
#include <QWidget>

namespace look {

QLabel *gameNotice(QWidget &window, const QRect &rect)
{
    auto *notice = new QLabel(&window);
    notice->setObjectName(QStringLiteral("gameNotice"));
    notice->setGeometry(rect);
    notice->setTextFormat(Qt::PlainText); // it may carry a peer's name
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignCenter);
    notice->setFont(verdana(kSmallPoints));
    notice->setAutoFillBackground(true);
    notice->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette colours = notice->palette();
    colours.setColor(QPalette::Window, kStatusBack);
    colours.setColor(QPalette::WindowText, Qt::black);
    notice->setPalette(colours);
    notice->hide();
    return notice;
}

void setGameNotice(QLabel &notice, const QString &text)
{
    notice.setText(text);
    notice.setVisible(!text.isEmpty());
    notice.raise();
}

QString leftGameNotice()
{
    return QCoreApplication::translate("GameNotice", "You left this game. Propose a new one to play again.");
}

QString opponentGoneNotice(const QString &opponent)
{
    return QCoreApplication::translate("GameNotice", "%1 has left the network: this game cannot go on.").arg(opponent);
}

QString opponentQuietNotice(const QString &opponent)
{
    return QCoreApplication::translate("GameNotice", "%1's station has stopped sending this game.")
        .arg(opponent);
}

QString outOfStepNotice(const QString &opponent)
{
    return QCoreApplication::translate("GameNotice", "%1's board no longer follows this one: this game cannot go on.")
        .arg(opponent);
}

QString leaveGameButton()
{
    return QCoreApplication::translate("GameNotice", "&Leave the game");
}

} // namespace look
