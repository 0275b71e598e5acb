#pragma once

#include "wire/kinds.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

class GameWindow;
class Station;

// The game windows of a station: each is built when its game first opens and
// kept for the station's life, shown without taking the keyboard when a
// game starts and when the opponent's board arrives. Closing one only hides it while the game goes on.
class GameWindows final : public QObject
{
    Q_OBJECT
public:
    // What the windows say of a game, in the user's language: a game's
    // entry here is all the menus, notices and notifications need to offer it.
    struct Words {
        QString show;          // the Tools menu: show its window again
        QString leave;         // the Tools menu: end it here
        QString propose;       // the user list's menu
        QString proposes;      // a notification: %1 is the proposer
        QString waiting;       // the status bar: %1 is the user proposed to
        QString acceptRefused; // the status bar: %1 accepted while a game is on
        const char *name;      // its menu items' object names end in it
    };
    static Words words(Game game);

    explicit GameWindows(Station &station, QObject *parent = nullptr);
    ~GameWindows() override;

    // Where game windows open: over this window, or the screen's centre without one.
    void setOwner(QWidget *owner) { m_owner = owner; }

    // The game's window; nullptr before its game first opened.
    GameWindow *window(Game game) const { return m_windows[indexOf(game)].get(); }
    // Shows the game's window again while that game is on.
    void showGame(Game game);
    // The user accepted the game: its window is theirs to play in.
    void bringForward(Game game);
    // The station stops: its windows close, whatever they show.
    void closeAll();

private:
    GameWindow &built(Game game);

    Station &m_station;
    QPointer<QWidget> m_owner;
    std::array<std::unique_ptr<GameWindow>, kGames.size()> m_windows; // by indexOf(Game)
};
