#include "form3.h"

#include "look.h"
#include "othellocell.h"
#include "station.h"
#include "turnmarker.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

// Layout in twips.
constexpr int kClientWidth = 3015;
constexpr int kClientHeight = 4080;
constexpr int kBoardLeft = 300;
constexpr int kBoardTop = 1150;

constexpr qreal kSmallPoints = 8.25;
constexpr qreal kLargePoints = 9.75;


QColor discColour(int color)
{
    return color == OthelloGame::kBlack ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace

Form3::Form3(Station &station, QWidget *owner)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                           | Qt::WindowCloseButtonHint)
    , m_station(station)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Othello Table"));
    setWindowIcon(look::sunIcon());
    setFixedSize(look::twips(0, 0, kClientWidth, kClientHeight).size());
    setFont(look::verdana(kSmallPoints));
    look::setBackground(*this, look::Picture::Warm, look::kWindowBack);

    Label1 = look::sideLabel(*this, "Label1", QStringLiteral("Black"), look::twips(480, 120, 615, 375));
    Label2 = look::sideLabel(*this, "Label2", QStringLiteral("White"), look::twips(1920, 120, 615, 255));

    Shape1 = new TurnMarker(this);

    Text4 = look::displayField(*this, "Text4", look::twips(120, 360, 1335, 285), kSmallPoints, look::kNameBack);
    Text5 = look::displayField(*this, "Text5", look::twips(1560, 360, 1335, 285), kSmallPoints, look::kNameBack);
    const QColor windowColour = palette().color(QPalette::Base);
    Text1 = look::displayField(*this, "Text1", look::twips(600, 720, 375, 285), kLargePoints, windowColour);
    Text2 = look::displayField(*this, "Text2", look::twips(2040, 720, 375, 285), kLargePoints, windowColour);
    Text3 = look::displayField(*this, "Text3", look::twips(0, 3720, kClientWidth, 360), kLargePoints, look::kStatusBack);

    for (int index = 1; index <= OthelloGame::kCells; ++index) {
        auto *cell = new OthelloCell(index, this);
        cell->setObjectName(QStringLiteral("Picture1"));
        cell->setGeometry(look::twips(kBoardLeft + (OthelloGame::ColumnOf(index) - 1) * look::kBoardPitch,
                                      kBoardTop + (OthelloGame::RowOf(index) - 1) * look::kBoardPitch,
                                      look::kBoardCell, look::kBoardCell));
        connect(cell, &OthelloCell::clicked, this, &Form3::Picture1_Click);
        connect(cell, &OthelloCell::mouseMoved, this, &Form3::Picture1_MouseMove);
        m_cells[std::size_t(index - 1)] = cell;
    }

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(timing::kFlashMs);
    connect(&Timer1, &QTimer::timeout, this, &Form3::Timer1_Timer);
}

OthelloCell *Form3::Picture1(int Index) const
{
    if (Index < 1 || Index > OthelloGame::kCells)
        return nullptr;
    return m_cells[std::size_t(Index - 1)];
}

void Form3::drawCell(int x, int y)
{
    OthelloCell *cell = Picture1(OthelloGame::indexOf(x, y));
    const qint16 color = m_game.Board(x, y);
    cell->setBackColor(OthelloCell::kGreen);
    if (color == OthelloGame::kEmpty)
        return;
    cell->setFillColor(discColour(color));
    cell->drawDisc();
}

void Form3::FillBoard(int i, int o, int Color)
{
    if (!OthelloGame::onBoard(i, o) || !OthelloGame::isColour(Color))
        return;
    m_game.FillBoard(i, o, Color);
    drawCell(i, o);
}

void Form3::CalculateScore()
{
    const OthelloGame::Score score = m_game.CalculateScore();
    Text1->setText(QString::number(score.black));
    Text2->setText(QString::number(score.white));
    if (!score.status.isNull())
        Text3->setText(score.status);
    if (TurnColor() == OthelloGame::kBlack || TurnColor() == OthelloGame::kWhite) {
        const bool black = TurnColor() == OthelloGame::kBlack;
        Shape1->showOver(black ? TurnMarker::Side::First : TurnMarker::Side::Second, discColour(TurnColor()));
    }
}

void Form3::Form_Load()
{
    m_game = OthelloGame::initial();
    for (OthelloCell *cell : m_cells)
        cell->reset();
    for (int index = 1; index <= OthelloGame::kCells; ++index) {
        if (m_game.Board(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index)) != OthelloGame::kEmpty)
            drawCell(OthelloGame::ColumnOf(index), OthelloGame::RowOf(index));
    }
    Timer1.stop();
    FlashCount = 0;
    m_saveLastMove = 0;
    Text4->clear();
    Text5->clear();
    CalculateScore();
    m_loaded = true;

    if (m_owner)
        move(m_owner->frameGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
}

bool Form3::applyBoard(const wire::OthelloBoard &board)
{
    const auto isColour = [](qint16 value) { return OthelloGame::isColour(value); };
    if (!std::all_of(board.cells.begin(), board.cells.end(), isColour) || !isColour(board.turnColor))
        return false;
    if (board.numDiscs <= NumDiscs())
        return false;

    if (!m_loaded)
        Form_Load();
    for (int o = 1; o <= OthelloGame::kSize; ++o) {
        for (int i = 1; i <= OthelloGame::kSize; ++i)
            FillBoard(i, o, board.cells[std::size_t(OthelloGame::indexOf(i, o) - 1)]);
    }
    setTurnColor(board.turnColor);
    CalculateScore();
    setNumDiscs(board.numDiscs);
    m_saveLastMove = 0;
    // A board that lands during a flash joins it rather than starting another.
    if (!Timer1.isActive())
        Timer1.start();
    return true;
}

void Form3::Picture1_Click(int Index)
{
    m_station.Timer1.stop();
    if (Picture1(Index)) {
        const OthelloGame before = m_game;
        if (m_game.PlayMove(OthelloGame::ColumnOf(Index), OthelloGame::RowOf(Index), TurnColor(),
                            m_station.sUserName, m_station.st2OUserName)) {
            for (int index = 1; index <= OthelloGame::kCells; ++index) {
                const int x = OthelloGame::ColumnOf(index), y = OthelloGame::RowOf(index);
                if (m_game.Board(x, y) != before.Board(x, y))
                    drawCell(x, y);
            }
            Text4->setText(m_game.blackPlayer());
            Text5->setText(m_game.whitePlayer());
            m_station.Timer1_Timer();
            CalculateScore();
        }
    }
    m_saveLastMove = 0;
    m_station.Timer1.start();
}

void Form3::Picture1_MouseMove(int Index)
{
    OthelloCell *cell = Picture1(Index);
    if (!cell || TurnColor() == OthelloGame::kGameOver || cell->FillColor() != look::kLightGrey)
        return;
    // Redrawn from the board rather than just turned green, so that a disc put
    // there since the highlight is not wiped out.
    if (Picture1(m_saveLastMove))
        drawCell(OthelloGame::ColumnOf(m_saveLastMove), OthelloGame::RowOf(m_saveLastMove));
    cell->setBackColor(discColour(TurnColor()));
    m_saveLastMove = qint16(Index);
}

void Form3::Timer1_Timer()
{
    QApplication::alert(this, timing::kFlashMs / 2);
    ++FlashCount;
    if (FlashCount >= timing::kFlashes) {
        Timer1.stop();
        FlashCount = 0;
    }
}

void Form3::Form_QueryUnload()
{
    m_station.bForm3Loaded = false;
    m_loaded = false;
    Timer1.stop();
}

void Form3::closeEvent(QCloseEvent *event)
{
    Form_QueryUnload();
    event->accept();
}
