#pragma once

#include "net/station.h"

#include <QObject>
#include <QString>

#include <array>

// What the status bar and the tray's tooltip tell the user about the
// station: conditions ranked most important first, of which only the first
// that holds is shown, so a passing notice never hides a lasting fault.
class StatusNotices final : public QObject
{
    Q_OBJECT
public:
    enum class Notice { NobodyHears, NameInUse, NameNotCarried, AcceptRefused, Proposal, Alone, Count };

    // Follows a started station.
    explicit StatusNotices(Station &station, QObject *parent = nullptr);

    // Sets or, with an empty text, clears a notice. Never blocks anything.
    void set(Notice notice, const QString &text);
    // The notice shown now, empty when none holds.
    QString shown() const;

signals:
    void shownChanged(const QString &shown);

private:
    void showHearing(HearingCheck::State state);
    void showProposalWaiting(Game game, const QString &to);
    void clearProposalWaiting(const QString &answeredBy);

    Station &m_station;
    std::array<QString, std::size_t(Notice::Count)> m_texts;
    QString m_proposedTo; // whom a proposal is said to wait on
};
