#pragma once

#include <array>
#include <cstddef>

// The two games a station plays and the two rooms it chats in.
enum class Game { Othello, Puissance4 };
enum class Room { Work, Tea };

inline constexpr std::array<Game, 2> kGames{Game::Othello, Game::Puissance4};

// Where a game's entry sits in an array that holds one per game.
constexpr std::size_t indexOf(Game game) { return static_cast<std::size_t>(game); }
