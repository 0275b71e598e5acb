#pragma once

class QWidget;

namespace look {

// Puts a window at the centre of its owner, or of its screen without one.
void centreOn(QWidget &window, const QWidget *owner);

} // namespace look
