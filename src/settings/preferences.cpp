#include "settings/preferences.h"

#include <QSettings>

#include <memory>

#include <pwd.h>
#include <unistd.h>

namespace {

// Constructing QSettings reads the file if there is one and writes nothing:
// it writes only when a value is set.
std::unique_ptr<QSettings> store()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quillet"),
                                       QStringLiteral("quillet"));
}

const QString kName = QStringLiteral("name");
const QString kSounds = QStringLiteral("sounds");
const QString kNotifications = QStringLiteral("notifications");
const QString kMinimiseToTray = QStringLiteral("minimiseToTray");

} // namespace

Preferences Preferences::load()
{
    const auto settings = store();
    Preferences preferences;
    preferences.name = settings->value(kName).toString();
    preferences.sounds = settings->value(kSounds, preferences.sounds).toBool();
    preferences.notifications = settings->value(kNotifications, preferences.notifications).toBool();
    preferences.minimiseToTray = settings->value(kMinimiseToTray, preferences.minimiseToTray).toBool();
    return preferences;
}

void Preferences::save() const
{
    const auto settings = store();
    settings->setValue(kName, name);
    settings->setValue(kSounds, sounds);
    settings->setValue(kNotifications, notifications);
    settings->setValue(kMinimiseToTray, minimiseToTray);
}

QString Preferences::fileName()
{
    return store()->fileName();
}

QString accountFullName()
{
    const passwd *entry = getpwuid(getuid());
    if (!entry || !entry->pw_gecos)
        return {};
    // The comment field is "Full Name,Room,Work phone,Home phone,Other".
    return QString::fromLocal8Bit(entry->pw_gecos).section(u',', 0, 0).trimmed();
}
