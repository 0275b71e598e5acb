#include "othello/othellowindow.h"

#include "look/look.h"
#include "look/turnmarker.h"
#include "othello/othellocell.h"

#include <QCloseEvent>
#include <QLineEdit>


namespace {

// Layout in twips.
constexpr int kClientWidth = 3015;
constexpr int kClientHeight = 4080;
constexpr int kBoardLeft = 300;
constexpr int kBoardTop = 1150;

// The lines between the cells: one pixel of the pitch is left to them, so the
// board reads as a grid of squares rather than one green field.
const QColor kGridColour{0, 80, 30};
constexpr int kGridLine = 1;

QColor discColour(int colour)
{
    return colour == OthelloGame::kBlack ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace

OthelloWindow::OthelloWindow(OthelloMatch &match, QWidget *owner)
    : GameWindow(match, {}, owner)
    , m_match(match)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Othello Table"));
    setWindowIcon(look::sunIcon());
    setFixedSize(look::twips(0, 0, kClientWidth, kClientHeight).size());
    setFont(look::verdana(look::kSmallPoints));
    look::setBackground(*this, look::Picture::Warm, look::kWindowBack);

    look::sideLabel(*this, "Label1", QStringLiteral("Black"), look::twips(480, 120, 615, 375));
    look::sideLabel(*this, "Label2", QStringLiteral("White"), look::twips(1920, 120, 615, 255));

    m_turnMarker = new TurnMarker(this);

    m_blackName = look::displayField(*this, "Text4", look::twips(120, 360, 1335, 285), look::kSmallPoints, look::kNameBack);
    m_whiteName = look::displayField(*this, "Text5", look::twips(1560, 360, 1335, 285), look::kSmallPoints, look::kNameBack);
    const QColor windowColour = palette().color(QPalette::Base);
    m_blackScore = look::displayField(*this, "Text1", look::twips(600, 720, 375, 285), look::kLargePoints, windowColour);
    m_whiteScore = look::displayField(*this, "Text2", look::twips(2040, 720, 375, 285), look::kLargePoints, windowColour);
    m_status = look::displayField(*this, "Text3", look::twips(0, 3720, kClientWidth, 360), look::kLargePoints, look::kStatusBack);

    const QPoint boardAt = look::twips(kBoardLeft, kBoardTop, 0, 0).topLeft();
    const int pitch = look::px(look::kBoardPitch);
    auto *grid = new QWidget(this);
    grid->setObjectName(QStringLiteral("boardGrid"));
    grid->setGeometry(QRect(boardAt, QSize(OthelloGame::kSize * pitch, OthelloGame::kSize * pitch))
                          .adjusted(-kGridLine, -kGridLine, 0, 0));
    grid->setAutoFillBackground(true);
    QPalette gridColours = grid->palette();
    gridColours.setColor(QPalette::Window, kGridColour);
    grid->setPalette(gridColours);
    for (int index = 1; index <= OthelloGame::kCells; ++index) {
        auto *cell = new OthelloCell(index, this);
        cell->setObjectName(QStringLiteral("Picture1"));
        cell->setGeometry(boardAt.x() + (OthelloGame::columnOf(index) - 1) * pitch,
                          boardAt.y() + (OthelloGame::rowOf(index) - 1) * pitch, pitch - kGridLine, pitch - kGridLine);
        connect(cell, &OthelloCell::clicked, this, &OthelloWindow::playAt);
        connect(cell, &OthelloCell::mouseMoved, this, &OthelloWindow::hoverOver);
        connect(cell, &OthelloCell::mouseLeft, this, &OthelloWindow::leaveCell);
        m_cells[std::size_t(index - 1)] = cell;
    }
    // Over the middle four rows, where it cannot be missed.
    makeNoticeBand(QRect(boardAt + QPoint(0, 2 * pitch), QSize(OthelloGame::kSize * pitch, 4 * pitch)));
    redraw();
}

OthelloCell *OthelloWindow::cell(int index) const
{
    if (index < 1 || index > OthelloGame::kCells)
        return nullptr;
    return m_cells[std::size_t(index - 1)];
}

void OthelloWindow::drawCell(int index)
{
    OthelloCell *shown = cell(index);
    const qint16 colour = game().cell(OthelloGame::columnOf(index), OthelloGame::rowOf(index));
    if (colour == OthelloGame::kEmpty) {
        shown->reset();
        return;
    }
    shown->setBackColour(OthelloCell::kGreen);
    shown->setFillColour(discColour(colour));
    shown->drawDisc();
}

void OthelloWindow::redraw()
{
    for (int index = 1; index <= OthelloGame::kCells; ++index)
        drawCell(index);
    m_highlighted = 0;
    const OthelloGame::Score score = game().score();
    m_blackScore->setText(QString::number(score.black));
    m_whiteScore->setText(QString::number(score.white));
    if (!score.status.isNull())
        m_status->setText(score.status);
    const qint16 turn = game().turnColour();
    if (turn == OthelloGame::kBlack || turn == OthelloGame::kWhite) {
        const bool black = turn == OthelloGame::kBlack;
        m_turnMarker->showOver(black ? TurnMarker::Side::First : TurnMarker::Side::Second, discColour(turn));
    }
    m_blackName->setText(game().blackPlayer());
    m_whiteName->setText(game().whitePlayer());
}

void OthelloWindow::playAt(int index)
{
    if (cell(index))
        m_match.play(OthelloGame::columnOf(index), OthelloGame::rowOf(index));
    // A refused click leaves no square that looks like a disc.
    clearHighlight();
}

void OthelloWindow::clearHighlight()
{
    // Redrawn from the board rather than just turned green, so that a disc put
    // there since the highlight is not wiped out.
    if (cell(m_highlighted))
        drawCell(m_highlighted);
    m_highlighted = 0;
}

void OthelloWindow::hoverOver(int index)
{
    OthelloCell *hovered = cell(index);
    if (!hovered || game().turnColour() == OthelloGame::kGameOver || !m_match.isPlaying()
        || game().cell(OthelloGame::columnOf(index), OthelloGame::rowOf(index)) != OthelloGame::kEmpty)
        return;
    clearHighlight();
    hovered->setBackColour(discColour(game().turnColour()));
    m_highlighted = index;
}

void OthelloWindow::leaveCell(int index)
{
    // The highlight shows where the mouse is; left behind it would look like a disc.
    if (index == m_highlighted)
        clearHighlight();
}

void OthelloWindow::closeEvent(QCloseEvent *event)
{
    clearHighlight();
    GameWindow::closeEvent(event);
}
