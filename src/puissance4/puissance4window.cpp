#include "puissance4/puissance4window.h"

#include "games/boardcell.h"
#include "look/gamenotice.h"
#include "look/look.h"
#include "look/turnmarker.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <qdrawutil.h>

using namespace puissance4;

namespace {

const QColor kMarkerStart{255, 255, 128};
const QColor kCellBack{27, 27, 127};

// The cell's sunken frame; the disc is placed in the drawing area inside it.
constexpr int kFrame = 2;
constexpr qreal kDiscCentreTwips = 110;
constexpr qreal kDiscRadiusTwips = 90;

QColor discColour(int colour)
{
    return colour == kYellow ? QColor(255, 255, 0) : QColor(255, 0, 0);
}

constexpr int kClientWidth = 3015;
constexpr int kClientHeight = 3585;
constexpr int kCellLeft = 450;
constexpr int kCellTop = 950;

} // namespace

Puissance4Window::Puissance4Window(Puissance4Match &match, QWidget *owner)
    : GameWindow(match, Qt::MSWindowsFixedSizeDialogHint, owner)
    , m_match(match)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(tr("Puissance 4"));
    setWindowIcon(look::sunIcon());
    setFixedSize(look::px(kClientWidth), look::px(kClientHeight));
    look::setBackground(*this, look::Picture::Navy, look::kPuissance4Back);

    for (int k = 1; k <= kCells; ++k) {
        BoardCell *added = addCell(look::twips(kCellLeft + look::kBoardPitch * (Puissance4Game::columnOf(k) - 1),
                                               kCellTop + look::kBoardPitch * (Puissance4Game::rowOf(k) - 1),
                                               look::kBoardCell, look::kBoardCell));
        connect(added, &BoardCell::clicked, this, &Puissance4Window::dropAt);
        added->setAccessibleDescription(
            tr("Left and right choose a column, Enter or Space drops into it; 1 to 7 drop into that column"));
    }

    m_turnMarker = new TurnMarker(this);
    look::sideLabel(*this, "Label1", tr("Yellow"), look::twips(480, 120, 615, 375));
    // As wide as Yellow's label, about the same centre, so that a longer name fits.
    look::sideLabel(*this, "Label2", tr("Red"), look::twips(1980, 120, 615, 255));
    m_turnMarker->raise();
    m_yellowName = look::displayField(*this, "Text4", look::twips(120, 360, 1335, 285), look::kSmallPoints, look::kNameBack);
    m_redName = look::displayField(*this, "Text5", look::twips(1560, 360, 1335, 285), look::kSmallPoints, look::kNameBack);
    m_status = look::displayField(*this, "Text1", look::twips(0, 3240, 3015, 375), look::kLargePoints, look::kStatusBack);
    m_yellowName->setAccessibleName(tr("Yellow player"));
    m_redName->setAccessibleName(tr("Red player"));
    m_status->setAccessibleName(tr("Status"));

    layOutAsBuilt(m_turnMarker);
    makeNoticeBand();
    redraw();
}

void Puissance4Window::redraw()
{
    for (int k = 1; k <= kCells; ++k) {
        const qint16 colour = game().cell(Puissance4Game::columnOf(k), Puissance4Game::rowOf(k));
        // Rows are read out from the bottom, where the discs pile up.
        cell(k)->setAccessibleName(tr("Column %1, row %2: %3")
                                       .arg(Puissance4Game::columnOf(k))
                                       .arg(kSize + 1 - Puissance4Game::rowOf(k))
                                       .arg(colour == kYellow ? tr("yellow") : colour == kRed ? tr("red") : tr("empty")));
        cell(k)->update();
    }
    m_status->setText(showsTurn() ? statusText(game().status(), game().statusLine()) : QString());
    m_status->setCursorPosition(0);
    showPlayers(*m_yellowName, *m_redName, game().yellowPlayer(), game().redPlayer());
    m_turnMarker->setVisible(showsTurn());
    showTurnMarker();
    placeCursor(m_column); // a disc may have filled the landing cell
}

void Puissance4Window::drawCell(QPainter &painter, const BoardCell &shown) const
{
    const QBrush back(kCellBack);
    qDrawWinPanel(&painter, shown.rect(), shown.palette(), true, &back);
    const qint16 colour = game().cell(Puissance4Game::columnOf(shown.index()), Puissance4Game::rowOf(shown.index()));
    if (colour != kYellow && colour != kRed)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(look::kLightGrey);
    painter.setBrush(discColour(colour));
    const qreal centre = kFrame + kDiscCentreTwips / look::kTwipsPerPixel;
    const qreal radius = kDiscRadiusTwips / look::kTwipsPerPixel;
    painter.drawEllipse(QPointF(centre, centre), radius, radius);
}

void Puissance4Window::dropAt(int index)
{
    if (index >= 1 && index <= kCells)
        m_match.drop(Puissance4Game::columnOf(index));
}

void Puissance4Window::placeCursor(int column)
{
    // Only the landing cell of the chosen column (the top one of a full
    // column) takes the focus: the board is one stop in the tab order, and a
    // screen reader reads where the disc would land. It takes the focus from
    // the board only, never from another control.
    m_column = column;
    BoardCell *target = cell(Puissance4Game::indexOf(column, qMax<int>(game().level(column), 1)));
    if (target == m_cursorCell)
        return;
    const bool boardFocused = !focusWidget() || focusWidget() == m_cursorCell;
    if (m_cursorCell)
        m_cursorCell->setFocusPolicy(Qt::NoFocus);
    m_cursorCell = target;
    m_cursorCell->setFocusPolicy(Qt::StrongFocus);
    if (boardFocused)
        m_cursorCell->setFocus(Qt::OtherFocusReason);
}

void Puissance4Window::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    // Another control's Enter, such as the notice's button, drops nothing.
    const bool boardFocused = focusWidget() == m_cursorCell;
    if (key >= Qt::Key_1 && key < Qt::Key_1 + kSize) {
        if (boardFocused) {
            placeCursor(key - Qt::Key_1 + 1);
            m_match.drop(m_column);
        }
    } else if ((key == Qt::Key_Left && m_column > 1) || (key == Qt::Key_Right && m_column < kSize)) {
        m_cursorCell->setFocus(Qt::OtherFocusReason); // the arrows bring the board back into focus
        placeCursor(m_column + (key == Qt::Key_Left ? -1 : 1));
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        if (boardFocused)
            m_match.drop(m_column);
    } else {
        GameWindow::keyPressEvent(event);
    }
}

void Puissance4Window::showTurnMarker()
{
    switch (game().marker()) {
    case Puissance4Game::Marker::Start:
        m_turnMarker->showOver(TurnMarker::Side::First, kMarkerStart);
        break;
    case Puissance4Game::Marker::Yellow:
        m_turnMarker->showOver(TurnMarker::Side::First, discColour(kYellow));
        break;
    case Puissance4Game::Marker::Red:
        m_turnMarker->showOver(TurnMarker::Side::Second, discColour(kRed));
        break;
    }
}
