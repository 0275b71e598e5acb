#pragma once

#include "puissance4game.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class Puissance4Cell;
class TurnMarker;
class Station;

namespace wire {
struct Puissance4Board;
}

// The Puissance 4 window. It lives as long as the main window: closing it only
// ends this station's game, Form_Load starts a new one, and a newer board from
// the opponent reopens it. The rules are Puissance4Game's; this shows them and
// trades boards through the station.
class Form4 final : public QWidget
{
    Q_OBJECT
public:
    explicit Form4(Station &station, QWidget *owner = nullptr);

    qint16 Color() const { return m_game.Color(); }
    void setColor(qint16 color) { m_game.setColor(color); }
    qint16 NumDiscs() const { return m_game.NumDiscs(); }
    void setNumDiscs(qint16 numDiscs) { m_game.setNumDiscs(numDiscs); }
    bool Result() const { return m_game.Result(); }
    void setResult(bool result) { m_game.setResult(result); }
    QString FillRC() const { return m_game.FillRC(); }
    QString statusText() const;
    void Arrange();
    void SetLevel() { m_game.SetLevel(); }
    void FillBoard(int i, int o, int Color, bool bLevel);

    const Puissance4Game &game() const { return m_game; }

    // New game; shows the window centred over its owner.
    void Form_Load();
    bool isLoaded() const { return m_loaded; }

    // Takes over a board addressed to this user when it is further on than
    // ours, loading the window first if it is closed (bForm4Loaded stays as
    // it is). Returns whether it was applied.
    bool applyBoard(const wire::Puissance4Board &board);

    // The attention signal after the opponent's board: two ticks, 500 ms apart.
    QTimer Timer1;
    void Timer1_Timer();
    // Whether the caption currently shows its flashed look.
    bool captionInverted() const { return m_captionInverted; }

    void Picture1_Click(int Index);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_QueryUnload();
    void FlashWindow(bool invert);
    void showStatus();
    void showTurnMarker();

    Station &m_station;
    QPointer<QWidget> m_owner;
    Puissance4Game m_game;
    qint16 FlashCount = 0;
    bool m_loaded = false;
    bool m_captionInverted = false;

    std::array<Puissance4Cell *, puissance4::kCells + 1> Picture1{}; // 0: the template
    TurnMarker *Shape1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Text4 = nullptr;
    QLineEdit *Text5 = nullptr;
    QLineEdit *Text1 = nullptr;
};
