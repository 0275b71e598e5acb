#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

// How a received board is checked against the one shown: in both games a
// move puts down one disc and no disc is ever taken off, so the discs new on
// the received board are the moves made since, and some order of them, each
// move legal, must lead to it.
namespace boardsteps {

// The cells (numbered from 1) empty before and taken after; nothing when a
// cell could not have gone from before to after (`mayBecome`), or when the
// discs on `after` are not `discsAfter`.
template <typename Cells, typename MayBecome>
std::optional<std::vector<int>> discsAdded(const Cells &before, const Cells &after, int discsAfter,
                                           typename Cells::value_type empty, MayBecome mayBecome)
{
    std::vector<int> added;
    int discs = 0;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (!mayBecome(before[i], after[i]))
            return std::nullopt;
        discs += after[i] != empty;
        if (before[i] == empty && after[i] != empty)
            added.push_back(int(i) + 1);
    }
    if (discs != discsAfter)
        return std::nullopt;
    return added;
}

// Whether putting down the discs `added` (in increasing order) on `from`, in
// some order and each by `put`, which says whether it was legal, gives a game
// that `reached` accepts. A few moves make few orders: three make six.
template <typename Game, typename Put, typename Reached>
bool someOrderLeadsTo(const Game &from, std::vector<int> added, Put put, Reached reached)
{
    do {
        Game game = from;
        if (std::all_of(added.begin(), added.end(), [&](int cell) { return put(game, cell); }) && reached(game))
            return true;
    } while (std::next_permutation(added.begin(), added.end()));
    return false;
}

} // namespace boardsteps
