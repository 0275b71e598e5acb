#pragma once

#include "station/station.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;

// Asks whether to play the game another user proposed; one window per proposal.
class ProposalWindow final : public QWidget
{
    Q_OBJECT
public:
    // owner only places the window; it stays a top-level window of its own.
    // provenance: where the proposal came from, when not from the proposer's
    // station as it is heard; empty otherwise.
    ProposalWindow(Station &station, Game game, const QString &proposer, const Provenance &provenance = {},
                   QWidget *owner = nullptr);

    void open();

    Game game() const { return m_game; }
    // The user who proposed the game, to whom the answer goes.
    QString proposer() const { return m_proposer; }
    // Why Accept did nothing, while it says so; empty otherwise.
    QString refusal() const;

signals:
    // The user accepted and the game has begun: its window is theirs to play in.
    void accepted();

protected:
    // However it closes (Decline, the title bar, Alt+F4, Escape), a proposal
    // not accepted is declined: the proposer never waits on a window gone.
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void accept();
    void decline();
    void showNote();

    QLineEdit *const m_sentence;
    QLabel *const m_note;
    const QString m_provenance;
    QString m_refusal;
    const Game m_game;
    const QString m_proposer;
    QPointer<Station> m_station;
    QPointer<QWidget> m_owner;
    bool m_answered = false;
};
