#include "othello/othellowindow.h"

#include "games/boardcell.h"
#include "look/gamenotice.h"
#include "look/look.h"
#include "look/turnmarker.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

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

const QColor kCellGreen{40, 255, 100};
// The disc, in twips of the cell.
constexpr int kDiscCentre = 140;
constexpr int kDiscRadius = 90;

QColor discColour(int colour)
{
    return colour == OthelloGame::kBlack ? QColor(Qt::black) : QColor(Qt::white);
}

// The keyboard cursor starts on D4, in the middle beside the opening moves.
constexpr int kCursorStart = 4 + 3 * OthelloGame::kSize;

} // namespace

OthelloWindow::OthelloWindow(OthelloMatch &match, QWidget *owner)
    : GameWindow(match, {}, owner)
    , m_match(match)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(tr("Othello Table"));
    setWindowIcon(look::sunIcon());
    setFixedSize(look::twips(0, 0, kClientWidth, kClientHeight).size());
    setFont(look::verdana(look::kSmallPoints));
    look::setBackground(*this, look::Picture::Warm, look::kWindowBack);

    // Wider than the design about the same centre, so that a longer name fits.
    look::sideLabel(*this, "Label1", tr("Black"), look::twips(330, 120, 915, 375));
    look::sideLabel(*this, "Label2", tr("White"), look::twips(1920, 120, 615, 255));

    m_turnMarker = new TurnMarker(this);

    m_blackName = look::displayField(*this, "Text4", look::twips(120, 360, 1335, 285), look::kSmallPoints, look::kNameBack);
    m_whiteName = look::displayField(*this, "Text5", look::twips(1560, 360, 1335, 285), look::kSmallPoints, look::kNameBack);
    const QColor windowColour = palette().color(QPalette::Base);
    m_blackScore = look::displayField(*this, "Text1", look::twips(600, 720, 375, 285), look::kLargePoints, windowColour);
    m_whiteScore = look::displayField(*this, "Text2", look::twips(2040, 720, 375, 285), look::kLargePoints, windowColour);
    m_status = look::displayField(*this, "Text3", look::twips(0, 3720, kClientWidth, 360), look::kLargePoints, look::kStatusBack);
    m_blackName->setAccessibleName(tr("Black player"));
    m_whiteName->setAccessibleName(tr("White player"));
    m_blackScore->setAccessibleName(tr("Black discs"));
    m_whiteScore->setAccessibleName(tr("White discs"));
    m_status->setAccessibleName(tr("Status"));

    const QPoint boardAt = look::twips(kBoardLeft, kBoardTop, 0, 0).topLeft();
    const int pitch = look::px(look::kBoardPitch);
    auto *grid = new QWidget(this);
    grid->setObjectName(QStringLiteral("boardGrid"));
    grid->setAccessibleName(tr("Board"));
    grid->setGeometry(QRect(boardAt, QSize(OthelloGame::kSize * pitch, OthelloGame::kSize * pitch))
                          .adjusted(-kGridLine, -kGridLine, 0, 0));
    grid->setAutoFillBackground(true);
    QPalette gridColours = grid->palette();
    gridColours.setColor(QPalette::Window, kGridColour);
    grid->setPalette(gridColours);
    for (int index = 1; index <= OthelloGame::kCells; ++index) {
        BoardCell *added = addCell(QRect(boardAt.x() + (OthelloGame::columnOf(index) - 1) * pitch,
                                         boardAt.y() + (OthelloGame::rowOf(index) - 1) * pitch, pitch - kGridLine,
                                         pitch - kGridLine));
        connect(added, &BoardCell::clicked, this, &OthelloWindow::playAt);
        connect(added, &BoardCell::hovered, this, &OthelloWindow::hoverOver);
        connect(added, &BoardCell::left, this, &OthelloWindow::leaveCell);
        added->setAccessibleDescription(tr("Arrow keys move over the board; Enter or Space plays here"));
    }
    layOutAsBuilt(m_turnMarker);
    makeNoticeBand();
    placeCursor(kCursorStart);
    redraw();
}

void OthelloWindow::describeCell(int index)
{
    const qint16 colour = game().cell(OthelloGame::columnOf(index), OthelloGame::rowOf(index));
    // Read out as the board is spoken of: "D3, black".
    cell(index)->setAccessibleName(tr("%1%2, %3")
                                       .arg(QChar(u'A' + OthelloGame::columnOf(index) - 1))
                                       .arg(OthelloGame::rowOf(index))
                                       .arg(colour == OthelloGame::kEmpty ? tr("empty")
                                                : colour == OthelloGame::kBlack ? tr("black") : tr("white")));
    cell(index)->update();
}

void OthelloWindow::drawCell(QPainter &painter, const BoardCell &shown) const
{
    const int index = shown.index();
    const qint16 colour = game().cell(OthelloGame::columnOf(index), OthelloGame::rowOf(index));
    // The highlight takes an empty cell only, so it can never hide a disc.
    const bool highlighted = index == m_highlighted && colour == OthelloGame::kEmpty;
    painter.fillRect(shown.rect(), highlighted ? discColour(game().turnColour()) : kCellGreen);
    if (colour == OthelloGame::kEmpty)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(look::kLightGrey, 0));
    painter.setBrush(discColour(colour));
    const qreal centre = look::px(kDiscCentre);
    painter.drawEllipse(QPointF(centre, centre), look::px(kDiscRadius), look::px(kDiscRadius));
}

void OthelloWindow::redraw()
{
    m_highlighted = 0;
    for (int index = 1; index <= OthelloGame::kCells; ++index)
        describeCell(index);
    const OthelloGame::Score score = game().score();
    m_blackScore->setText(QString::number(score.black));
    m_whiteScore->setText(QString::number(score.white));
    if (!showsTurn())
        m_status->clear();
    else if (score.status != GameStatus::None)
        m_status->setText(statusText(score.status));
    m_turnMarker->setVisible(showsTurn());
    const qint16 turn = game().turnColour();
    if (turn == OthelloGame::kBlack || turn == OthelloGame::kWhite) {
        const bool black = turn == OthelloGame::kBlack;
        m_turnMarker->showOver(black ? TurnMarker::Side::First : TurnMarker::Side::Second, discColour(turn));
    }
    showPlayers(*m_blackName, *m_whiteName, game().blackPlayer(), game().whitePlayer());
}

void OthelloWindow::placeCursor(int index)
{
    // Only the cursor's cell takes the focus, so the board is one stop in the
    // tab order and a screen reader reads the cell the cursor is on.
    if (BoardCell *old = cell(m_cursor))
        old->setFocusPolicy(Qt::NoFocus);
    m_cursor = index;
    cell(index)->setFocusPolicy(Qt::StrongFocus);
    cell(index)->setFocus(Qt::OtherFocusReason);
}

void OthelloWindow::keyPressEvent(QKeyEvent *event)
{
    int x = OthelloGame::columnOf(m_cursor), y = OthelloGame::rowOf(m_cursor);
    switch (event->key()) {
    case Qt::Key_Left:
        --x;
        break;
    case Qt::Key_Right:
        ++x;
        break;
    case Qt::Key_Up:
        --y;
        break;
    case Qt::Key_Down:
        ++y;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // Another control's Enter, such as the notice's button, plays nothing.
        if (focusWidget() == cell(m_cursor))
            playAt(m_cursor);
        return;
    default:
        GameWindow::keyPressEvent(event);
        return;
    }
    if (OthelloGame::onBoard(x, y))
        placeCursor(OthelloGame::indexOf(x, y));
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
    if (BoardCell *highlighted = cell(m_highlighted))
        highlighted->update();
    m_highlighted = 0;
}

void OthelloWindow::hoverOver(int index)
{
    BoardCell *hovered = cell(index);
    if (!hovered || game().turnColour() == OthelloGame::kGameOver || !m_match.isPlaying()
        || game().cell(OthelloGame::columnOf(index), OthelloGame::rowOf(index)) != OthelloGame::kEmpty)
        return;
    clearHighlight();
    m_highlighted = index;
    hovered->update();
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
