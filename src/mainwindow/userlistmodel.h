#pragma once

#include <QAbstractListModel>
#include <QFontMetrics>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include "station/sharedhearing.h"

#include <functional>
#include <vector>

class QAbstractItemDelegate;

// The user list's entries, in the order their users were first heard. What
// the station reports is queued and applied together, at most once a frame
// (as a room log appends its lines), so a segment of thousands of stations
// costs the view one batch of arrivals, one of departures and one repaint
// per frame, and a presence or availability that changes nothing costs it
// nothing at all.
class UserListModel final : public QAbstractListModel
{
    Q_OBJECT
public:
    // How long a change may wait for those that follow it: about two frames
    // at 60 Hz, as a room log's lines wait. Nobody reads a list faster.
    static constexpr int kFlushMs = 30;

    // Each entry's icon number (1 available, 2 not) is kept under this role,
    static constexpr int kIconRole = Qt::UserRole;
    // and the user's exact name, as the wire carries it, under this one: the
    // text shown may differ (see shownUserName), the name addressed may not.
    static constexpr int kNameRole = Qt::UserRole + 1;

    explicit UserListModel(QObject *parent = nullptr);

    // A presence heard: the name is listed as add() lists it, and the count
    // shown becomes the entries listed then, as every station shows it, so a
    // departure is counted at the next presence.
    void presenceHeard(const QString &name, bool doubtful);
    // Queued: a name heard (listed at the end, as available, unless it is
    // listed already), an availability changed, a user gone.
    void add(const QString &name);
    void setAvailable(const QString &name, bool available);
    // A name that may pose as another (a look-alike of a listed name, or one
    // heard from more hosts than one station uses) is shown marked.
    void setDoubtful(const QString &name, bool doubtful);
    void remove(const QString &name);
    // Where the tooltip learns, when it is asked, whether a user is heard from
    // an address that speaks for other names too (a bridge's).
    void setHearing(std::function<std::optional<SharedHearing>(const QString &name)> hearing)
    {
        m_hearing = std::move(hearing);
    }
    // Forgets every entry and everything queued, at once.
    void clear();

    // Applies what is queued now, without waiting for the frame.
    void flush();
    // Asks for a flush at the next frame even when nothing is queued.
    void flushSoon();
    bool hasQueued() const { return m_flushTimer.isActive(); }
    // How many entries there will be once what is queued is applied.
    int countAfterFlush() const;

    // Entries are measured with this font, as the view shows them.
    void setFont(const QFont &font) { m_metrics = QFontMetrics(font); }
    // A delegate for the view that gives every entry the size of the widest
    // one, so with uniform item sizes no name is cut and no layout measures
    // more than one entry.
    QAbstractItemDelegate *makeDelegate(QObject *parent) const;
    int widestRow() const { return m_widestRow; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

signals:
    // Queued changes have been applied (and the frame's flush asked for has run).
    void flushed();
    // The count to show has moved; it is set at the list's next frame.
    void countChanged(int count);

private:
    struct Entry {
        QString name;
        QString shown;
        int width; // of the shown text, in pixels
        bool available;
        bool doubtful = false;
    };
    void removeLeaving();
    void appendArriving();
    void applyAvailabilities();
    void applyDoubts();
    void renumberFrom(int row);

    std::vector<Entry> m_entries;
    QHash<QString, int> m_rows; // exact name -> row

    QStringList m_arriving; // not listed yet, in the order heard
    QSet<QString> m_arrivingNames;
    QSet<QString> m_leaving; // listed, to be removed
    QHash<QString, bool> m_availabilities;
    QHash<QString, bool> m_doubts;

    QFontMetrics m_metrics{QFont()};
    int m_widestRow = -1;
    // The count as shown, and as the latest presence asks it to be shown.
    int m_shownCount = -1;
    int m_countDue = -1;
    QTimer m_flushTimer;
    std::function<std::optional<SharedHearing>(const QString &name)> m_hearing;
};
