#pragma once

#include <QString>

// What the user chose in Tools > Preferences. Kept with QSettings in the
// user's configuration folder, $XDG_CONFIG_HOME/quillet/quillet.conf; read
// at start, and written only by save(), which the dialog calls when the user
// changed something. A run that changes nothing leaves the disk as it was.
struct Preferences {
    QString name; // the name shown to others; empty: the login name
    bool sounds = true;
    bool notifications = true; // desktop notifications
    bool minimiseToTray = true; // only where a tray exists

    // The saved choices, or the defaults where nothing is saved.
    static Preferences load();
    void save() const;
    // Where save() writes, for the user to be told.
    static QString fileName();

    friend bool operator==(const Preferences &a, const Preferences &b)
    {
        return a.name == b.name && a.sounds == b.sounds && a.notifications == b.notifications
            && a.minimiseToTray == b.minimiseToTray;
    }
    friend bool operator!=(const Preferences &a, const Preferences &b) { return !(a == b); }
};

// The account's full name from the password database's comment field,
// empty when it holds none.
QString accountFullName();
