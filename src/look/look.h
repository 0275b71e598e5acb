#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRect>

class QPainter;

class QLabel;
class QLineEdit;
class QStyle;
class QWidget;

// The look every window shares: twip geometry, fonts, colours, background
// pictures and icons.
namespace look {

// Layouts are given in twips, rounded to the nearest pixel.
inline constexpr int kTwipsPerPixel = 15; // at 96 dpi
constexpr int px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
constexpr QRect twips(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// Both game boards: cells 295 twips square on a 300-twip pitch.
inline constexpr int kBoardPitch = 300;
inline constexpr int kBoardCell = 295;

inline const QColor kWindowBack{128, 64, 64};
inline const QColor kPuissance4Back{0, 0, 64};
inline const QColor kLightGrey{192, 192, 192};
inline const QColor kPanelGrey{224, 224, 224};
inline const QColor kNameBack{255, 192, 192};   // game windows' player names
inline const QColor kStatusBack{255, 224, 192}; // game windows' status line
// Behind text that will not arrive as typed: a pale amber that keeps the
// text readable.
inline const QColor kLossyInputBack{255, 236, 179};

// The application's style: the platform's own, except that the icons of the
// extension button every menu bar builds are read when first drawn, not when
// the menu bar is built. For QApplication::setStyle, which takes it over.
QStyle *createStyle();

// Verdana is not packaged on Debian; fontconfig falls back to DejaVu Sans.
QFont verdana(qreal points);
// The two sizes every window uses: text, and buttons and status lines.
inline constexpr qreal kSmallPoints = 8.25;
inline constexpr qreal kLargePoints = 9.75;

enum class Picture {
    Warm,  // dark red, tan, pale yellow; 700 x 350: main, message and Othello windows
    Pale,  // dark maroon to pale yellow; 500 x 200: About box and proposal window
    Navy,  // dark navy to light blue; 300 x 350: Puissance 4 window
};

// The background picture at its own size, drawn on first use and shared.
const QPixmap &picture(Picture which);

// Paints the picture from the top-left corner over the back colour; a window
// grown beyond the picture shows its gradient going on, without a seam.
// Windows share one picture per kind. Once per window.
void setBackground(QWidget &window, Picture which, const QColor &backColour);
// For a child that fills its background with its window's picture from its
// own corner (a status bar): it too goes on without a seam as it grows.
void continuePicture(QWidget &child, Picture which);

// A one-line field that only shows: read-only, centred, black on `back`.
QLineEdit *displayField(QWidget &parent, const char *name, const QRect &rect, qreal points, const QColor &back);
// A game window's colour name, in the highlight-text colour, centred under its turn marker.
QLabel *sideLabel(QWidget &parent, const char *name, const QString &text, const QRect &rect);

// The keyboard cursor on a board cell: a white frame inside a black one,
// seen on every cell and disc colour of both boards.
void drawKeyCursor(QPainter &painter, const QRect &cell);

// A status-bar panel: black text on a pale grey backing in a thin frame,
// readable over any picture. Returns the label.
QLabel *statusPanel(QLabel &label);

// The warning for a typed text holding the field separator, which can never
// be sent. Not modal to the application: datagrams keep flowing meanwhile.
void refuseSeparator(QWidget &parent);

QIcon sailIcon();     // main window, program, tray
QIcon envelopeIcon(); // message window
QIcon sunIcon();      // game and proposal windows
QIcon bulbOnIcon();   // user list: available
QIcon bulbOffIcon();  // user list: not available
// A small amber dot: a room tab with lines not yet seen.
QIcon unreadIcon();
// The program's icon with that dot in its corner: the tray while something
// arrived out of sight.
QIcon sailUnseenIcon();

} // namespace look
