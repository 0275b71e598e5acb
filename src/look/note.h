#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace look {

// A row under a dialog's design layout that says something the design has no
// place for (where a message came from, why Accept did nothing), as plain
// text on a pale panel: it may carry a peer's name. Hidden until it has text.
QLabel *noteRow(QWidget &window, int designHeightTwips);
// Shows the lines that are not empty, one under the other, growing the window
// to fit them below its design height; no lines hides the row again.
void showNote(QWidget &window, QLabel &note, int designHeightTwips, const QStringList &lines);

} // namespace look
