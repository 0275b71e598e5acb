#pragma once

#include "settings/preferences.h"

#include <QObject>

class DesktopNotifier;
class NetworkWindowCaps;
class Station;
class StatusNotices;
class QWidget;

// The user's preferences in use: the saved ones at start, then as the
// Preferences dialog changes them, each applied to what it governs: the
// sounds, desktop notifications, and the name the station goes by.
class AppliedPreferences final : public QObject
{
    Q_OBJECT
public:
    AppliedPreferences(Station &station, StatusNotices &notices, NetworkWindowCaps &caps, DesktopNotifier &notifier,
                       QObject *parent);

    // Reads the saved choices and applies them. The station already goes by
    // the name they give.
    void load();
    // The dialog, modeless over `owner`; what the user changes there is applied.
    void openDialog(QWidget &owner, bool trayExists);

    const Preferences &current() const { return m_preferences; }

private:
    void apply(const Preferences &now, const Preferences &before);

    Station &m_station;
    StatusNotices &m_notices;
    NetworkWindowCaps &m_caps;
    DesktopNotifier &m_notifier;
    Preferences m_preferences;
};
