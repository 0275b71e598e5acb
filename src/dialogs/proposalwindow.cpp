#include "dialogs/proposalwindow.h"

#include "look/look.h"
#include "look/names.h"
#include "look/placement.h"
#include "net/messages.h"
#include "net/station.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr qreal kFontPoints = 8.25;

} // namespace

ProposalWindow::ProposalWindow(Station &station, Game game, const QString &proposer, QWidget *owner)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_sentence(look::named(new QLineEdit(this), "Text1"))
    , m_game(game)
    , m_proposer(proposer)
    , m_station(&station)
    , m_owner(owner)
{
    auto *acceptButton = look::named(new QPushButton(QStringLiteral("Accept"), this), "Command1");
    auto *declineButton = look::named(new QPushButton(QStringLiteral("Decline"), this), "Command2");
    setObjectName(QStringLiteral("Form5"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(look::sunIcon());
    setFixedSize(look::px(5595), look::px(1080));
    look::setBackground(*this, look::Picture::Pale, palette().color(QPalette::Window));
    setWindowTitle(game == Game::Othello ? QStringLiteral("Othello game proposal")
                                         : QStringLiteral("Puissance 4 game proposal"));

    m_sentence->setGeometry(look::twips(120, 120, 5415, 285));
    m_sentence->setReadOnly(true);
    m_sentence->setAlignment(Qt::AlignCenter);
    m_sentence->setFont(look::verdana(kFontPoints));
    QPalette grey = m_sentence->palette();
    grey.setColor(QPalette::Base, look::kPanelGrey);
    m_sentence->setPalette(grey);

    acceptButton->setGeometry(look::twips(120, 480, 2655, 495));
    declineButton->setGeometry(look::twips(2880, 480, 2655, 495));
    setTabOrder(m_sentence, acceptButton);
    setTabOrder(acceptButton, declineButton);
    m_sentence->setFocus();

    connect(acceptButton, &QPushButton::clicked, this, &ProposalWindow::accept);
    connect(declineButton, &QPushButton::clicked, this, &ProposalWindow::decline);
    // Nothing may be sent through a station that is gone.
    connect(&station, &QObject::destroyed, this, &QWidget::close);
}

void ProposalWindow::open()
{
    m_sentence->setText(m_proposer
                        + (m_game == Game::Othello
                               ? QStringLiteral(" would like to play an Othello game with you...")
                               : QStringLiteral(" would like to play a Puissance 4 game with you...")));
    m_sentence->setCursorPosition(0);
    look::centreOn(*this, m_owner);
    show();
}

void ProposalWindow::accept()
{
    // A proposal without a proposer has no one to play against.
    if (!m_station || m_proposer.isEmpty())
        return;
    // While that game is on, the window stays for the user to answer later.
    if (!m_station->acceptProposal(m_game, m_proposer))
        return;
    close();
}

void ProposalWindow::decline()
{
    if (m_station && !m_proposer.isEmpty())
        m_station->declineProposal(m_proposer);
    close();
}
