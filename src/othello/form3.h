#pragma once

#include "messages.h"
#include "othellogame.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>

class OthelloCell;
class QLabel;
class QLineEdit;
class Station;
class TurnMarker;

// The Othello window: shows one game against the station's Othello opponent
// and plays it over the network. The main window keeps one for the whole run;
// closing it only hides it, and the game stays as it was until the next load.
class Form3 final : public QWidget
{
    Q_OBJECT
public:
    // The owner is only where the window centres itself when it opens.
    explicit Form3(Station &station, QWidget *owner = nullptr);

    qint16 SaveLastMove() const { return m_saveLastMove; }
    void setSaveLastMove(qint16 index) { m_saveLastMove = index; }
    qint16 TurnColor() const { return m_game.TurnColor(); }
    void setTurnColor(qint16 turnColor) { m_game.setTurnColor(turnColor); }
    qint16 NumDiscs() const { return m_game.NumDiscs(); }
    void setNumDiscs(qint16 numDiscs) { m_game.setNumDiscs(numDiscs); }

    // 64 values, each followed by the separator, row by row from the top.
    QString FillRC() const { return m_game.FillRC(); }
    void CalculateScore();
    void FillBoard(int i, int o, int Color);

    // A new game: the starting position, black to move; shows the window.
    void Form_Load();
    bool isLoaded() const { return m_loaded; }

    // Takes over a board addressed to this user when it is further on than the
    // one shown, loading the window first if it is closed. The loaded flag of
    // the station is not touched. Returns whether the board was applied.
    bool applyBoard(const wire::OthelloBoard &board);

    const OthelloGame &game() const { return m_game; }
    OthelloCell *Picture1(int Index) const;
    qint16 flashCount() const { return FlashCount; }

    // Attention signal after the opponent's board has been applied.
    QTimer Timer1;

public slots:
    void Picture1_Click(int Index);
    void Picture1_MouseMove(int Index);
    void Timer1_Timer();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_QueryUnload();
    void drawCell(int x, int y);

    Station &m_station;
    QPointer<QWidget> m_owner;
    OthelloGame m_game;
    qint16 m_saveLastMove = 0;
    qint16 FlashCount = 0;
    bool m_loaded = false;

    QLabel *Label1;
    QLabel *Label2;
    TurnMarker *Shape1;
    QLineEdit *Text1;
    QLineEdit *Text2;
    QLineEdit *Text3;
    QLineEdit *Text4;
    QLineEdit *Text5;
    std::array<OthelloCell *, OthelloGame::kCells> m_cells{};
};
