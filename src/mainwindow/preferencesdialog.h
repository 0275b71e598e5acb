#pragma once

#include "settings/preferences.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Tools > Preferences: the name shown to others, sounds, desktop
// notifications and minimising to the tray. OK saves only what changed, and
// nothing at all when nothing did; a name the wire cannot carry is refused
// with its characters shown.
class PreferencesDialog final : public QDialog
{
    Q_OBJECT
public:
    // The longest name the field takes: a Windows login name's 256
    // characters, so any name a peer already shows fits.
    static constexpr int kMaxNameChars = 256;

    // login: the name used while none is chosen; fullName: the account's
    // full name, offered when the wire carries it; trayExists: whether
    // minimising to the tray can be chosen.
    PreferencesDialog(const Preferences &current, const QString &login, const QString &fullName, bool trayExists,
                      QWidget *parent);

    Preferences chosen() const;

signals:
    // The user pressed OK with something changed; it is saved already.
    void changed(const Preferences &now, const Preferences &before);

private:
    void checkName();
    void done(int result) override;

    const Preferences m_current;
    QLineEdit *m_name = nullptr;
    QPushButton *m_useFullName = nullptr;
    QLabel *m_nameRefused = nullptr;
    QCheckBox *m_sounds = nullptr;
    QCheckBox *m_notifications = nullptr;
    QCheckBox *m_minimiseToTray = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};
