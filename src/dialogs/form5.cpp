#include "form5.h"

#include "look.h"
#include "messages.h"
#include "placement.h"
#include "station.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr qreal kFontPoints = 8.25;

} // namespace

Form5::Form5(Station &station, QWidget *owner)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , Text1(new QLineEdit(this))
    , Command1(new QPushButton(QStringLiteral("Accept"), this))
    , Command2(new QPushButton(QStringLiteral("Decline"), this))
    , m_station(&station)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("Form5"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(look::sunIcon());
    setFixedSize(look::px(5595), look::px(1080));
    look::setBackground(*this, look::Picture::Pale, palette().color(QPalette::Window));

    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(look::twips(120, 120, 5415, 285));
    Text1->setReadOnly(true);
    Text1->setAlignment(Qt::AlignCenter);
    Text1->setFont(look::verdana(kFontPoints));
    QPalette grey = Text1->palette();
    grey.setColor(QPalette::Base, look::kPanelGrey);
    Text1->setPalette(grey);

    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(look::twips(120, 480, 2655, 495));
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(look::twips(2880, 480, 2655, 495));
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    Text1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form5::Command2_Click);
    // Nothing may be sent through a station that is gone.
    connect(&station, &QObject::destroyed, this, &QWidget::close);
}

void Form5::Form_Load()
{
    if (Game == kOthello)
        Text1->setText(DestUser + QStringLiteral(" would like to play an Othello game with you..."));
    else if (Game == kPuissance4)
        Text1->setText(DestUser + QStringLiteral(" would like to play a Puissance 4 game with you..."));
    Text1->setCursorPosition(0);
    dialogs::centreOn(*this, m_owner);
    show();
}

void Form5::Command1_Click()
{
    // A proposal without a proposer has no one to play against.
    if (!m_station || DestUser.isEmpty())
        return;
    Station &station = *m_station;
    if (Game == kOthello) {
        if (station.bForm3Loaded)
            return;
        // The game window loads before it learns its opponent, as other stations expect.
        station.loadForm3();
        station.send(wire::othelloAccept(DestUser, SourceUser));
        station.st2OUserName = DestUser;
        station.bForm3Loaded = true;
    } else if (Game == kPuissance4) {
        if (station.bForm4Loaded)
            return;
        station.loadForm4();
        station.send(wire::puissance4Accept(DestUser, SourceUser));
        station.st2P4UserName = DestUser;
        station.bForm4Loaded = true;
    } else {
        return;
    }
    close();
}

void Form5::Command2_Click()
{
    if (m_station && !DestUser.isEmpty())
        m_station->send(wire::proposalDeclined(DestUser, SourceUser));
    close();
}
