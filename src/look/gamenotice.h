#pragma once

#include <QString>

class QLabel;
class QRect;
class QWidget;

// What a game window says under its board when the game cannot go on, so a
// board that looks playable never is not. Both game windows use the same texts.
namespace look {

// A band over the board: hidden while empty, plain text, wrapped.
QLabel *gameNotice(QWidget &window, const QRect &rect);
// Shows `text` in the band, or hides the band for an empty one.
void setGameNotice(QLabel &notice, const QString &text);

QString leftGameNotice();
QString opponentGoneNotice(const QString &opponent);
QString opponentQuietNotice(const QString &opponent);
QString outOfStepNotice(const QString &opponent);
// The one action that ends a game whose opponent plays no more.
QString leaveGameButton();

} // namespace look
