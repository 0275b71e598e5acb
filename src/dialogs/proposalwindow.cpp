#include "dialogs/proposalwindow.h"

#include "dialogs/notes.h"
#include "look/designlayout.h"
#include "look/look.h"
#include "look/names.h"
#include "look/note.h"
#include "look/placement.h"
#include "station/station.h"
#include "wire/messages.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The window's design size in twips; a note grows it downwards.
constexpr int kWidth = 5595;
constexpr int kHeight = 1080;

QString gameName(Game game)
{
    return game == Game::Othello ? ProposalWindow::tr("Othello") : ProposalWindow::tr("Puissance 4");
}

} // namespace

ProposalWindow::ProposalWindow(Station &station, Game game, const QString &proposer, const Provenance &provenance,
                               QWidget *owner)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_sentence(look::named(new QLineEdit(this), "Text1"))
    , m_note(look::noteRow(*this, kHeight))
    , m_provenance(notes::provenance(proposer, provenance))
    , m_game(game)
    , m_proposer(proposer)
    , m_station(&station)
    , m_owner(owner)
{
    auto *acceptButton = look::named(new QPushButton(tr("Accept"), this), "Command1");
    auto *declineButton = look::named(new QPushButton(tr("Decline"), this), "Command2");
    setObjectName(QStringLiteral("Form5"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(look::sunIcon());
    setFixedSize(look::px(kWidth), look::px(kHeight));
    auto *layout = new DesignLayout(*this, size());
    look::setBackground(*this, look::Picture::Pale, palette().color(QPalette::Window));
    setWindowTitle(game == Game::Othello ? tr("Othello game proposal")
                                         : tr("Puissance 4 game proposal"));

    layout->add(*m_sentence, look::twips(120, 120, 5415, 285));
    m_sentence->setReadOnly(true);
    m_sentence->setAlignment(Qt::AlignCenter);
    m_sentence->setFont(look::verdana(look::kSmallPoints));
    QPalette grey = m_sentence->palette();
    grey.setColor(QPalette::Base, look::kPanelGrey);
    m_sentence->setPalette(grey);


    layout->add(*acceptButton, look::twips(120, 480, 2655, 495));
    layout->add(*declineButton, look::twips(2880, 480, 2655, 495));
    setTabOrder(m_sentence, acceptButton);
    setTabOrder(acceptButton, declineButton);
    m_sentence->setFocus();
    m_sentence->setAccessibleName(tr("Proposal"));

    connect(acceptButton, &QPushButton::clicked, this, &ProposalWindow::accept);
    connect(declineButton, &QPushButton::clicked, this, &QWidget::close);
    // Nothing may be sent through a station that is gone.
    connect(&station, &QObject::destroyed, this, &QWidget::close);
}

void ProposalWindow::open()
{
    const QString proposer = m_station ? look::shownUserName(m_proposer, m_station->isDoubtful(m_proposer)) : look::shownUserName(m_proposer);
    m_sentence->setText(m_game == Game::Othello ? tr("%1 would like to play an Othello game with you...").arg(proposer)
                                                : tr("%1 would like to play a Puissance 4 game with you...").arg(proposer));
    m_sentence->setCursorPosition(0);
    showNote();
    look::placeNew(*this, m_owner);
    // Never the keyboard: a key meant elsewhere could answer the proposal.
    look::showUnasked(*this);
}

void ProposalWindow::accept()
{
    // A proposal without a proposer has no one to play against.
    if (!m_station || m_proposer.isEmpty())
        return;
    // While that game is on, the window stays for the user to answer later,
    // and says why nothing happened.
    if (!m_station->acceptProposal(m_game, m_proposer)) {
        const QString current = m_station->match(m_game).opponent();
        m_refusal = tr("You are already playing %1 with %2. Finish or leave that game first "
                       "(Tools menu), then Accept again, or Decline.")
                        .arg(gameName(m_game), current);
        showNote();
        return;
    }
    m_answered = true;
    emit accepted();
    close();
}

QString ProposalWindow::refusal() const
{
    return m_refusal;
}

void ProposalWindow::showNote()
{
    look::showNote(*this, *m_note, kHeight, {m_provenance, m_refusal});
}

void ProposalWindow::closeEvent(QCloseEvent *event)
{
    if (!m_answered)
        decline();
    event->accept();
}

void ProposalWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void ProposalWindow::decline()
{
    m_answered = true;
    // A proposal whose game is already on with the proposer was answered by
    // that game: a decline now would only tell the proposer, mid-game, that
    // the offer was refused.
    const bool answeredByTheGame =
        m_station && m_station->match(m_game).isRunning() && m_station->match(m_game).opponent() == m_proposer;
    if (m_station && !m_proposer.isEmpty() && !answeredByTheGame)
        m_station->declineProposal(m_proposer);
}
