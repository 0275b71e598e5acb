#include "mainwindow/userlistmodel.h"

#include "look/look.h"
#include "look/names.h"
#include "station/userroster.h"

#include <QStyledItemDelegate>

#include <algorithm>
#include <functional>

namespace {

// With uniform item sizes the view measures one entry per layout; this has it
// measure the widest, as a list whose entries were each measured shows them.
class WidestEntryDelegate final : public QStyledItemDelegate
{
public:
    WidestEntryDelegate(const UserListModel &model, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_model(model)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const int widest = m_model.widestRow();
        return QStyledItemDelegate::sizeHint(option, widest >= 0 ? m_model.index(widest) : index);
    }

private:
    const UserListModel &m_model;
};

} // namespace

UserListModel::UserListModel(QObject *parent)
    : QAbstractListModel(parent)
{
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(kFlushMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &UserListModel::flush);
}

QAbstractItemDelegate *UserListModel::makeDelegate(QObject *parent) const
{
    return new WidestEntryDelegate(*this, parent);
}

void UserListModel::flushSoon()
{
    // Started by the first change of a batch only, so a steady stream still
    // shows every kFlushMs.
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void UserListModel::presenceHeard(const QString &name, bool doubtful)
{
    add(name);
    setDoubtful(name, doubtful);
    m_countDue = countAfterFlush();
    if (m_countDue != m_shownCount)
        flushSoon();
}

void UserListModel::add(const QString &name)
{
    // The common case, a listed user announcing again, ends at the first test.
    if ((m_rows.contains(name) && !m_leaving.contains(name)) || m_arrivingNames.contains(name))
        return;
    m_arrivingNames.insert(name);
    m_arriving << name;
    flushSoon();
}

void UserListModel::setAvailable(const QString &name, bool available)
{
    m_availabilities.insert(name, available);
    flushSoon();
}

void UserListModel::setDoubtful(const QString &name, bool doubtful)
{
    // Said at every presence: the common case, nothing changed, ends here.
    const int row = m_rows.value(name, -1);
    const bool shown = row >= 0 && m_entries[std::size_t(row)].doubtful;
    if (shown == doubtful && !m_doubts.contains(name))
        return;
    m_doubts.insert(name, doubtful);
    flushSoon();
}

void UserListModel::remove(const QString &name)
{
    // What was queued for the name goes with it; a later presence lists it anew.
    m_availabilities.remove(name);
    m_doubts.remove(name);
    if (m_arrivingNames.remove(name))
        m_arriving.removeOne(name);
    if (m_rows.contains(name))
        m_leaving.insert(name);
    flushSoon();
}

void UserListModel::clear()
{
    beginResetModel();
    m_entries.clear();
    m_rows.clear();
    m_arriving.clear();
    m_arrivingNames.clear();
    m_leaving.clear();
    m_availabilities.clear();
    m_doubts.clear();
    m_widestRow = -1;
    m_flushTimer.stop();
    endResetModel();
}

int UserListModel::countAfterFlush() const
{
    return int(m_entries.size() - m_leaving.size() + m_arriving.size());
}

void UserListModel::flush()
{
    m_flushTimer.stop();
    removeLeaving();
    appendArriving();
    applyAvailabilities();
    applyDoubts();
    emit flushed();
    if (m_countDue != m_shownCount) {
        m_shownCount = m_countDue;
        emit countChanged(m_shownCount);
    }
}

void UserListModel::removeLeaving()
{
    if (m_leaving.isEmpty())
        return;
    std::vector<int> rows;
    rows.reserve(std::size_t(m_leaving.size()));
    for (const QString &name : std::as_const(m_leaving))
        rows.push_back(m_rows.take(name));
    m_leaving.clear();
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    // One removal per run of neighbouring rows, from the end of the list
    // back, so the rows before each run keep their numbers until its turn.
    for (std::size_t k = 0; k < rows.size();) {
        const int last = rows[k];
        int first = last;
        while (++k < rows.size() && rows[k] == first - 1)
            --first;
        beginRemoveRows({}, first, last);
        m_entries.erase(m_entries.begin() + first, m_entries.begin() + last + 1);
        endRemoveRows();
    }
    for (int row = rows.back(); row < int(m_entries.size()); ++row)
        m_rows[m_entries[std::size_t(row)].name] = row;
    const auto widest = std::max_element(m_entries.cbegin(), m_entries.cend(),
                                         [](const Entry &a, const Entry &b) { return a.width < b.width; });
    m_widestRow = widest == m_entries.cend() ? -1 : int(widest - m_entries.cbegin());
}

void UserListModel::appendArriving()
{
    if (m_arriving.isEmpty())
        return;
    const int first = int(m_entries.size());
    beginInsertRows({}, first, first + int(m_arriving.size()) - 1);
    for (const QString &name : std::as_const(m_arriving)) {
        const int row = int(m_entries.size());
        const QString shown = look::shownUserName(name);
        const int width = m_metrics.horizontalAdvance(shown);
        if (m_widestRow < 0 || width > m_entries[std::size_t(m_widestRow)].width)
            m_widestRow = row;
        m_rows.insert(name, row);
        m_entries.push_back({name, shown, width, true, false});
    }
    m_arriving.clear();
    m_arrivingNames.clear();
    endInsertRows();
}

void UserListModel::applyAvailabilities()
{
    int first = int(m_entries.size());
    int last = -1;
    for (auto change = m_availabilities.cbegin(); change != m_availabilities.cend(); ++change) {
        const int row = m_rows.value(change.key(), -1);
        if (row < 0 || m_entries[std::size_t(row)].available == change.value())
            continue;
        m_entries[std::size_t(row)].available = change.value();
        first = std::min(first, row);
        last = std::max(last, row);
    }
    m_availabilities.clear();
    if (last >= 0)
        emit dataChanged(index(first), index(last), {Qt::DecorationRole, kIconRole});
}

int UserListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

void UserListModel::applyDoubts()
{
    bool changed = false;
    for (auto doubt = m_doubts.cbegin(); doubt != m_doubts.cend(); ++doubt) {
        const int row = m_rows.value(doubt.key(), -1);
        if (row < 0 || m_entries[std::size_t(row)].doubtful == doubt.value())
            continue;
        Entry &entry = m_entries[std::size_t(row)];
        entry.doubtful = doubt.value();
        entry.shown = look::shownUserName(entry.name, entry.doubtful);
        entry.width = m_metrics.horizontalAdvance(entry.shown);
        emit dataChanged(index(row), index(row), {Qt::DisplayRole});
        changed = true;
    }
    m_doubts.clear();
    if (changed) {
        const auto widest = std::max_element(m_entries.cbegin(), m_entries.cend(),
                                             [](const Entry &a, const Entry &b) { return a.width < b.width; });
        m_widestRow = int(widest - m_entries.cbegin());
    }
}

QVariant UserListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_entries.size()))
        return {};
    const Entry &entry = m_entries[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return entry.shown;
    case Qt::DecorationRole:
        return entry.available ? look::bulbOnIcon() : look::bulbOffIcon();
    case kIconRole:
        return entry.available ? 1 : 2;
    case kNameRole:
        return entry.name;
    case Qt::AccessibleDescriptionRole: // a screen reader cannot see the bulb
        return entry.available ? tr("Available") : tr("Not Available");
    case Qt::ToolTipRole:
        if (const auto shared = m_hearing ? m_hearing(entry.name) : std::nullopt)
            return tr("%1 is heard from %2, which speaks for %n names: a bridge from another network, "
                      "or a computer several people share.", "", shared->names)
                .arg(entry.shown, shared->address.toString());
        return {};
    default:
        return {};
    }
}
