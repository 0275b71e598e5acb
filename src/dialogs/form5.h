#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QLineEdit;
class QPushButton;
class Station;

// Asks whether to play the game another user proposed; one window per proposal.
class Form5 final : public QWidget
{
    Q_OBJECT
public:
    // owner only places the window; it stays a top-level window of its own.
    explicit Form5(Station &station, QWidget *owner = nullptr);

    static constexpr qint16 kOthello = 1;
    static constexpr qint16 kPuissance4 = 2;

    QString DestUser;   // the proposer, to whom the answer goes
    QString SourceUser; // this station's user when the proposal arrived
    qint16 Game = 0;
    QLineEdit *Text1;   // the proposal sentence
    QPushButton *Command1;
    QPushButton *Command2;

    void Form_Load();

public slots:
    void Command1_Click();
    void Command2_Click();

private:
    QPointer<Station> m_station;
    QPointer<QWidget> m_owner;
};
