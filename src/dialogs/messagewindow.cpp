#include "dialogs/messagewindow.h"

#include "dialogs/limitedtextedit.h"
#include "dialogs/notes.h"
#include "look/designlayout.h"
#include "look/look.h"
#include "look/names.h"
#include "look/note.h"
#include "look/placement.h"
#include "station/station.h"
#include "wire/carriedtext.h"
#include "wire/messages.h"
#include "wire/typedtext.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>

namespace {

constexpr int kHeight = 2640; // the design height in twips; a note grows it downwards

QPushButton *button(const char *name, const QString &text, const QRect &geometry, QWidget *parent)
{
    auto *result = look::named(new QPushButton(text, parent), name);
    result->setGeometry(geometry);
    return result;
}

} // namespace

MessageWindow::MessageWindow(Station &station, QWidget *owner)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                           | Qt::WindowCloseButtonHint)
    , m_typed(look::named(new LimitedTextEdit(wire::kMaxTypedText, this), "Text1"))
    , m_received(look::named(new QPlainTextEdit(this), "Text2"))
    , m_sendButton(button("Command1", tr("Send"), look::twips(120, 2040, 1335, 495), this))
    , m_respondButton(button("Command2", tr("Respond"), look::twips(1560, 2040, 1335, 495), this))
    , m_note(look::noteRow(*this, kHeight))
    , m_station(&station)
    , m_owner(owner)
{
    auto *othelloButton = button("Command3", tr("Othello"), look::twips(3000, 2040, 1335, 495), this);
    auto *puissance4Button = button("Command4", tr("Puissance 4"), look::twips(4440, 2040, 1335, 495), this);
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Message"));
    setWindowIcon(look::envelopeIcon());
    setFixedSize(look::px(5895), look::px(kHeight));
    auto *layout = new DesignLayout(*this, size());
    setFont(look::verdana(look::kSmallPoints));
    look::setBackground(*this, look::Picture::Warm, look::kWindowBack);

    layout->add(*m_received, look::twips(120, 120, 5655, 855));
    m_received->setReadOnly(true);
    m_received->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_received->setTabChangesFocus(true);
    QPalette grey = m_received->palette();
    grey.setColor(QPalette::Base, look::kPanelGrey);
    m_received->setPalette(grey);

    layout->add(*m_typed, look::twips(120, 1080, 5655, 855));
    for (QPushButton *button : {m_sendButton, m_respondButton, othelloButton, puissance4Button})
        layout->add(*button);
    m_typed->setTabChangesFocus(true);

    m_sendButton->setEnabled(false);
    m_respondButton->setEnabled(false);
    setTabOrder(m_typed, m_sendButton);
    setTabOrder(m_sendButton, m_respondButton);
    setTabOrder(m_respondButton, othelloButton);
    setTabOrder(othelloButton, puissance4Button);
    setTabOrder(puissance4Button, m_received);
    m_typed->setFocus();
    m_typed->setAccessibleName(tr("Your message"));
    m_received->setAccessibleName(tr("Message received"));

    connect(m_typed, &QPlainTextEdit::textChanged, this, &MessageWindow::updateSendButtons);
    connect(m_typed, &QPlainTextEdit::textChanged, this, &MessageWindow::markWhatArrivesAsQuestionMarks);
    connect(m_sendButton, &QPushButton::clicked, this, &MessageWindow::sendText);
    connect(m_respondButton, &QPushButton::clicked, this, &MessageWindow::sendText);
    connect(othelloButton, &QPushButton::clicked, this, [this] { propose(Game::Othello); });
    connect(puissance4Button, &QPushButton::clicked, this, [this] { propose(Game::Puissance4); });
    // Nothing may be sent through a station that is gone.
    connect(&station, &QObject::destroyed, this, &QWidget::close);
}

void MessageWindow::openToWrite(const QString &recipient)
{
    m_correspondent = recipient;
    m_writing = true;
    // Several may be open at once: each says to whom it writes.
    if (!recipient.isEmpty())
        setWindowTitle(tr("Message \u2014 %1").arg(recipient));
    m_typed->setAccessibleName(tr("Your message to %1").arg(recipient));
    open();
}

void MessageWindow::openReceived(const QString &sender, const QString &text, const QString &time,
                                 const Provenance &provenance)
{
    m_provenance = provenance;
    look::showNote(*this, *m_note, kHeight, {notes::provenance(sender, provenance)});
    // The network opens it: the user may be typing elsewhere.
    look::placeNew(*this, m_owner);
    look::showUnasked(*this);
    m_writing = false;
    m_received->setPlainText(text);
    const QString shown = m_station ? look::shownUserName(sender, m_station->isDoubtful(sender)) : look::shownUserName(sender);
    m_received->setAccessibleName(tr("Message from %1").arg(shown));
    m_typed->setAccessibleName(tr("Your answer to %1").arg(shown));
    m_caption = tr("Message from: %1 at %2").arg(shown, time);
    setWindowTitle(m_caption);
    m_correspondent = sender;
}

void MessageWindow::addReceived(const QString &text, const QString &time, const Provenance &provenance)
{
    if (m_added < kMaxAddedMessages) {
        ++m_added;
        // A later message from elsewhere than the window says says so on its own line.
        m_received->appendPlainText(provenance.isEmpty() || provenance == m_provenance
                                        ? QStringLiteral("[%1]> %2").arg(time, text)
                                        : QStringLiteral("[%1] %2\n> %3").arg(time, notes::provenance(m_correspondent, provenance), text));
        return;
    }
    ++m_notShown;
    setWindowTitle(m_caption + tr(" (%1 more not shown)").arg(m_notShown));
}

void MessageWindow::open()
{
    look::placeNew(*this, m_owner);
    show();
}

void MessageWindow::updateSendButtons()
{
    (m_writing ? m_sendButton : m_respondButton)->setEnabled(!m_typed->document()->isEmpty());
}

void MessageWindow::markWhatArrivesAsQuestionMarks()
{
    // Each character the wire cannot carry is underlined; the message still
    // goes out as typed, with a "?" in its place.
    const QString text = m_typed->toPlainText();
    QTextCharFormat mark;
    mark.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    mark.setUnderlineColor(Qt::red);
    QList<QTextEdit::ExtraSelection> marks;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype length = text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
        if (!wire::lostInTransit(text.mid(at, length)).isEmpty()) {
            QTextCursor cursor(m_typed->document());
            cursor.setPosition(int(at));
            cursor.setPosition(int(at + length), QTextCursor::KeepAnchor);
            marks.append({cursor, mark});
        }
        at += length;
    }
    m_typed->setExtraSelections(marks);
    m_typed->setToolTip(notes::lostInTransit(wire::lostInTransit(text)));
}

void MessageWindow::sendText()
{
    const QString text = m_typed->toPlainText();
    const wire::TypedTextFault fault = wire::typedTextFault(text, wire::Lines::Many);
    if (fault == wire::TypedTextFault::Separator)
        look::refuseSeparator(*this);
    if (fault != wire::TypedTextFault::None || !m_station || m_correspondent.isEmpty())
        return;
    m_station->sendPrivateMessage(m_correspondent, wire::messageAsSent(text));
    close();
}

void MessageWindow::propose(Game game)
{
    if (!m_station || m_correspondent.isEmpty())
        return;
    m_station->proposeGame(game, m_correspondent);
}
