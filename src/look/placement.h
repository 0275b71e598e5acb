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

// Moves the window so that it does not cover other, beside or below it where
// the screen has room, else where it covers least.
void placeClearOf(QWidget &window, const QWidget &other);

// Shows the window, raised and active: for what the user opens or asks for.
void bringForward(QWidget &window);

// Shows a window the network opened or brought forward: above the others
// where the desktop allows it, asking for attention, and never taking the
// keyboard, so what the user types goes on where it was going.
void showUnasked(QWidget &window);

} // namespace look
