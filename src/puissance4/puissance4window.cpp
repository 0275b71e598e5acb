#include "puissance4/puissance4window.h"

#include "look/look.h"
#include "look/turnmarker.h"
#include "puissance4/puissance4cell.h"

#include <QLineEdit>

using namespace puissance4;

namespace {

const QColor kMarkerStart{255, 255, 128};

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
    setWindowTitle(QStringLiteral("Puissance 4"));
    setWindowIcon(look::sunIcon());
    setFixedSize(look::px(kClientWidth), look::px(kClientHeight));
    look::setBackground(*this, look::Picture::Navy, look::kPuissance4Back);

    m_cells[0] = new Puissance4Cell(match.game(), 0, this);
    m_cells[0]->setGeometry(look::twips(2400, 720, 375, 375));
    m_cells[0]->hide();
    for (int k = 1; k <= kCells; ++k) {
        auto *cell = new Puissance4Cell(match.game(), k, this);
        cell->setGeometry(look::twips(kCellLeft + look::kBoardPitch * (Puissance4Game::columnOf(k) - 1),
                                      kCellTop + look::kBoardPitch * (Puissance4Game::rowOf(k) - 1),
                                      look::kBoardCell, look::kBoardCell));
        connect(cell, &Puissance4Cell::clicked, this, &Puissance4Window::dropAt);
        m_cells[k] = cell;
    }

    m_turnMarker = new TurnMarker(this);
    look::sideLabel(*this, "Label1", QStringLiteral("Yellow"), look::twips(480, 120, 615, 375));
    look::sideLabel(*this, "Label2", QStringLiteral("Red"), look::twips(2040, 120, 495, 255));
    m_turnMarker->raise();
    m_yellowName = look::displayField(*this, "Text4", look::twips(120, 360, 1335, 285), look::kSmallPoints, look::kNameBack);
    m_redName = look::displayField(*this, "Text5", look::twips(1560, 360, 1335, 285), look::kSmallPoints, look::kNameBack);
    m_status = look::displayField(*this, "Text1", look::twips(0, 3240, 3015, 375), look::kLargePoints, look::kStatusBack);

    // Over the middle rows of the board, where it cannot be missed.
    makeNoticeBand(look::twips(kCellLeft, kCellTop + 2 * look::kBoardPitch, puissance4::kSize * look::kBoardPitch,
                               3 * look::kBoardPitch));
    redraw();
}

void Puissance4Window::redraw()
{
    for (Puissance4Cell *cell : m_cells)
        cell->update();
    m_status->setText(game().status());
    m_status->setCursorPosition(0);
    m_yellowName->setText(game().yellowPlayer());
    m_redName->setText(game().redPlayer());
    showTurnMarker();
}

void Puissance4Window::dropAt(int index)
{
    if (index >= 1 && index <= kCells)
        m_match.drop(Puissance4Game::columnOf(index));
}

void Puissance4Window::showTurnMarker()
{
    switch (game().marker()) {
    case Puissance4Game::Marker::Start:
        m_turnMarker->showOver(TurnMarker::Side::First, kMarkerStart);
        break;
    case Puissance4Game::Marker::Yellow:
        m_turnMarker->showOver(TurnMarker::Side::First, Puissance4Cell::discColour(kYellow));
        break;
    case Puissance4Game::Marker::Red:
        m_turnMarker->showOver(TurnMarker::Side::Second, Puissance4Cell::discColour(kRed));
        break;
    }
}
