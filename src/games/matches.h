#pragma once

#include "wire/kinds.h"

#include <memory>

class Match;
class QString;

// The one place that knows the match of every game: a new game adds its
// line here, and the station plays it without knowing its kind.
std::unique_ptr<Match> makeMatch(Game game, const QString &userName);
