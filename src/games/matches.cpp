#include "games/matches.h"

#include "othello/othellomatch.h"
#include "puissance4/puissance4match.h"

std::unique_ptr<Match> makeMatch(Game game, const QString &userName)
{
    switch (game) {
    case Game::Othello:
        return std::make_unique<OthelloMatch>(userName);
    case Game::Puissance4:
        return std::make_unique<Puissance4Match>(userName);
    }
    return nullptr;
}
