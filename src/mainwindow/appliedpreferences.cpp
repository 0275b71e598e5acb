#include "mainwindow/appliedpreferences.h"

#include "mainwindow/desktopnotifier.h"
#include "mainwindow/networkwindowcaps.h"
#include "mainwindow/preferencesdialog.h"
#include "mainwindow/statusnotices.h"
#include "station/station.h"

AppliedPreferences::AppliedPreferences(Station &station, StatusNotices &notices, NetworkWindowCaps &caps,
                                       DesktopNotifier &notifier, QObject *parent)
    : QObject(parent)
    , m_station(station)
    , m_notices(notices)
    , m_caps(caps)
    , m_notifier(notifier)
{
}

void AppliedPreferences::load()
{
    m_preferences = Preferences::load();
    m_notifier.setSounds(m_preferences.sounds);
    m_caps.setNotifying(m_preferences.notifications);
    m_notices.showNameNotCarried(stationUserName(m_preferences.name));
}

// Not exec(): a modal loop here would hold up every datagram behind it.
void AppliedPreferences::openDialog(QWidget &owner, bool trayExists)
{
    auto *dialog = new PreferencesDialog(m_preferences, stationUserName(), accountFullName(), trayExists, &owner);
    connect(dialog, &PreferencesDialog::changed, this, &AppliedPreferences::apply);
    dialog->open();
}

void AppliedPreferences::apply(const Preferences &now, const Preferences &before)
{
    m_preferences = now;
    m_notifier.setSounds(now.sounds);
    m_caps.setNotifying(now.notifications);
    // USERNAME, where set, names the station whatever the choice.
    const QString wanted = stationUserName(now.name);
    if (wanted != stationUserName(before.name)) {
        m_station.rename(wanted);
        m_notices.showNameNotCarried(wanted);
    }
}
