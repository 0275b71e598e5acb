#pragma once

#include "station/provenance.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class Station;
enum class Game;

// The message window: writes a new private message or shows a received one
// and answers it; either way it can also propose a game to its correspondent.
// Every opening is a window of its own.
class MessageWindow final : public QWidget
{
    Q_OBJECT
public:
    // owner only places the window; it stays a top-level window of its own.
    explicit MessageWindow(Station &station, QWidget *owner = nullptr);

    // A new message to the recipient: Send is the live button.
    void openToWrite(const QString &recipient);
    // A message received, shown with the time it came; Respond is the live
    // button. provenance: where it came from, when not from the sender's
    // station as it is heard; said under the buttons.
    void openReceived(const QString &sender, const QString &text, const QString &time, const Provenance &provenance = {});

    // Below the received message, a later one from the same sender, with the
    // time it came. Beyond kMaxAddedMessages they are only counted, in the
    // caption. A window holds at most this many more messages; no real user
    // sends a hundred without an answer, and the window stays a few hundred KiB.
    static constexpr int kMaxAddedMessages = 100;
    void addReceived(const QString &text, const QString &time, const Provenance &provenance = {});
    // Messages received here, shown or counted.
    int receivedCount() const { return 1 + m_added + m_notShown; }

    // The user a message or a proposal from this window goes to.
    QString correspondent() const { return m_correspondent; }

private:
    void open();
    void updateSendButtons();
    void markWhatArrivesAsQuestionMarks();
    void sendText();
    void propose(Game game);

    QPlainTextEdit *const m_typed;
    QPlainTextEdit *const m_received;
    QPushButton *const m_sendButton;
    QPushButton *const m_respondButton;
    QLabel *const m_note;
    Provenance m_provenance;
    QString m_correspondent;
    bool m_writing = false; // a new message, answered by Send; else Respond
    QString m_caption;
    int m_added = 0;
    int m_notShown = 0;
    QPointer<Station> m_station;
    QPointer<QWidget> m_owner;
};
