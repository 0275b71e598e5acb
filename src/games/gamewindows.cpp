#include "games/gamewindows.h"

#include "station/station.h"
#include "othello/othellowindow.h"
#include "puissance4/puissance4window.h"

GameWindows::Words GameWindows::words(Game game)
{
    switch (game) {
    case Game::Othello:
        return {tr("Show the &Othello game"), tr("&Leave the Othello game"), tr("Propose a game of Othello"),
                tr("%1 proposes a game of Othello"), tr("Othello proposed to %1, waiting for an answer"),
                tr("%1 accepted Othello, but your game is on: propose again after it"), "Othello"};
    case Game::Puissance4:
        return {tr("Show the &Puissance 4 game"), tr("Leave the Puissance &4 game"), tr("Propose a game of Puissance 4"),
                tr("%1 proposes a game of Puissance 4"), tr("Puissance 4 proposed to %1, waiting for an answer"),
                tr("%1 accepted Puissance 4, but your game is on: propose again after it"), "Puissance4"};
    }
    return {};
}

GameWindows::GameWindows(Station &station, QObject *parent)
    : QObject(parent)
    , m_station(station)
{
    // An accept heard from the network; the user's own accept brings it forward.
    connect(&station, &Station::gameStarted, this, [this](Game game) { built(game).showGameUnasked(); });
    for (const Game game : kGames)
        connect(&station.match(game), &Match::boardReceived, this, [this, game] { built(game).boardArrived(); });
}

GameWindows::~GameWindows() = default;

// Built on first use: most runs never play, and each window costs its cells
// and pictures at start-up.
GameWindow &GameWindows::built(Game game)
{
    std::unique_ptr<GameWindow> &window = m_windows[indexOf(game)];
    if (!window) {
        if (game == Game::Othello)
            window = std::make_unique<OthelloWindow>(m_station.match<OthelloMatch>(), m_owner);
        else
            window = std::make_unique<Puissance4Window>(m_station.match<Puissance4Match>(), m_owner);
    }
    return *window;
}

void GameWindows::showGame(Game game)
{
    if (m_station.match(game).isPlaying() && window(game))
        window(game)->showGame();
}

void GameWindows::bringForward(Game game)
{
    built(game).showGame();
}

void GameWindows::closeAll()
{
    for (const auto &window : m_windows) {
        if (window)
            window->close();
    }
}
