#pragma once

// What a game's status line says, as a value: whose turn it is or how the
// game ended. The game windows put it into the user's language in one place
// (GameWindow::statusText); Puissance 4's board carries its English text.
enum class GameStatus {
    None, // nothing to say: no game yet, or a colour to move that has no text
    BlackToPlay,
    WhiteToPlay,
    BlackWon,
    WhiteWon,
    Tie,
    YellowToPlayFirst, // a new game: "Yellow To Play!", with a capital T
    YellowToPlay,
    RedToPlay,
    YellowWon,
    RedWon,
    Draw,
    Other, // a peer's own text, shown as it came
};
