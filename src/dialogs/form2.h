#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class Station;

// The message window: writes a new private message ("Message") or shows a
// received one and answers it ("Response"); either way it can also propose a
// game to its correspondent. Every opening is a window of its own.
class Form2 final : public QWidget
{
    Q_OBJECT
public:
    // owner only places the window; it stays a top-level window of its own.
    explicit Form2(Station &station, QWidget *owner = nullptr);

    static constexpr char kMessageTag[] = "Message";   // a new message
    static constexpr char kResponseTag[] = "Response"; // a reply to one received

    QString DestUser;
    QString Tag; // "Message" or "Response"
    QPlainTextEdit *Text1; // text to send
    QPlainTextEdit *Text2; // received text
    QPushButton *Command1;
    QPushButton *Command2;
    QPushButton *Command3;
    QPushButton *Command4;

    void Form_Load();

public slots:
    void Text1_Change();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

private:
    using Builder = QString (*)(const QString &destination, const QString &sender);

    void sendText();
    void propose(Builder build);

    QPointer<Station> m_station;
    QPointer<QWidget> m_owner;
};
