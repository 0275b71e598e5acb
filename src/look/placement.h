#pragma once

class QWidget;

namespace look {

// Puts a window at the centre of its owner, or of its screen without one.
void centreOn(QWidget &window, const QWidget *owner);

// Places a new secondary window (message, proposal, game): centred on its
// owner while no other such window is open, else one step down and to the
// right of the last one placed that is still open, so none hides another.
// It is kept inside the screen's available area and never put exactly where
// another open one stands.
void placeNew(QWidget &window, const QWidget *owner);

} // namespace look
