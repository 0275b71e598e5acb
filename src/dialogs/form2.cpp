#include "form2.h"

#include "limitedtextedit.h"
#include "look.h"
#include "messages.h"
#include "placement.h"
#include "station.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QString kCaption = QStringLiteral("Message");
constexpr qreal kFontPoints = 8.25;

QPushButton *button(const QString &name, const QString &text, const QRect &geometry, QWidget *parent)
{
    auto *result = new QPushButton(text, parent);
    result->setObjectName(name);
    result->setGeometry(geometry);
    return result;
}

// The box shows a line break as one character; other stations' boxes hold CR LF.
QString asSent(QString text)
{
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    text.replace(u'\n', QLatin1String("\r\n"));
    return text;
}

} // namespace

Form2::Form2(Station &station, QWidget *owner)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                           | Qt::WindowCloseButtonHint)
    , Text1(new LimitedTextEdit(wire::kMaxTypedText, this))
    , Text2(new QPlainTextEdit(this))
    , Command1(button(QStringLiteral("Command1"), QStringLiteral("Send"), look::twips(120, 2040, 1335, 495), this))
    , Command2(button(QStringLiteral("Command2"), QStringLiteral("Respond"), look::twips(1560, 2040, 1335, 495), this))
    , Command3(button(QStringLiteral("Command3"), QStringLiteral("Othello"), look::twips(3000, 2040, 1335, 495), this))
    , Command4(button(QStringLiteral("Command4"), QStringLiteral("Puissance 4"), look::twips(4440, 2040, 1335, 495), this))
    , m_station(&station)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kCaption);
    setWindowIcon(look::envelopeIcon());
    setFixedSize(look::px(5895), look::px(2640));
    setFont(look::verdana(kFontPoints));
    look::setBackground(*this, look::Picture::Warm, look::kWindowBack);

    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setGeometry(look::twips(120, 120, 5655, 855));
    Text2->setReadOnly(true);
    Text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text2->setTabChangesFocus(true);
    QPalette grey = Text2->palette();
    grey.setColor(QPalette::Base, look::kPanelGrey);
    Text2->setPalette(grey);

    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(look::twips(120, 1080, 5655, 855));
    Text1->setTabChangesFocus(true);

    Command1->setEnabled(false);
    Command2->setEnabled(false);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command4);
    setTabOrder(Command4, Text2);
    Text1->setFocus();

    connect(Text1, &QPlainTextEdit::textChanged, this, &Form2::Text1_Change);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form2::Command4_Click);
    // Nothing may be sent through a station that is gone.
    connect(&station, &QObject::destroyed, this, &QWidget::close);
}

void Form2::Form_Load()
{
    dialogs::centreOn(*this, m_owner);
    show();
}

void Form2::Text1_Change()
{
    const bool hasText = !Text1->document()->isEmpty();
    QPushButton *live = Tag == QLatin1String(kMessageTag) ? Command1 : Command2;
    live->setEnabled(hasText);
}

void Form2::Command1_Click()
{
    sendText();
}

void Form2::Command2_Click()
{
    sendText();
}

void Form2::Command3_Click()
{
    propose(&wire::othelloProposal);
}

void Form2::Command4_Click()
{
    propose(&wire::puissance4Proposal);
}

void Form2::sendText()
{
    const QString text = Text1->toPlainText();
    if (text.contains(wire::kSeparator)) {
        look::refuseSeparator(*this);
        return;
    }
    if (!m_station || DestUser.isEmpty())
        return;
    m_station->send(wire::privateMessage(DestUser, m_station->sUserName, asSent(text)));
    close();
}

void Form2::propose(Builder build)
{
    if (!m_station || DestUser.isEmpty())
        return;
    m_station->send(build(DestUser, m_station->sUserName));
}
