#include "mainwindow/preferencesdialog.h"

#include "look/look.h"
#include "look/names.h"
#include "wire/carriedtext.h"
#include "wire/wire.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kFieldChars = 32; // the name field's width, in average characters

// What of a name other stations could not read: the characters that arrive
// as "?", and the separator, which would split the name into two fields.
QStringList untravelled(const QString &name)
{
    QStringList refused = wire::lostInTransit(name);
    if (name.contains(wire::kSeparator))
        refused << QString(wire::kSeparator);
    return refused;
}

bool travels(const QString &name)
{
    return untravelled(name).isEmpty();
}

} // namespace

PreferencesDialog::PreferencesDialog(const Preferences &current, const QString &login, const QString &fullName,
                                     bool trayExists, QWidget *parent)
    : QDialog(parent)
    , m_current(current)
{
    setObjectName(QStringLiteral("preferencesDialog"));
    setWindowTitle(tr("Preferences"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_name = look::named(new QLineEdit(current.name, this), "preferencesName");
    m_name->setMaxLength(kMaxNameChars);
    m_name->setPlaceholderText(login);
    m_name->setClearButtonEnabled(true);
    m_nameRefused = look::named(new QLabel(this), "nameRefused");
    m_nameRefused->setTextFormat(Qt::PlainText);
    m_nameRefused->setWordWrap(true);
    m_nameRefused->hide();
    m_useFullName = look::named(new QPushButton(tr("Use my full name, %1").arg(fullName), this), "useFullName");
    m_useFullName->setVisible(!fullName.isEmpty() && travels(fullName) && fullName != current.name);
    connect(m_useFullName, &QPushButton::clicked, m_name, [this, fullName] { m_name->setText(fullName); });
    connect(m_name, &QLineEdit::textChanged, this, &PreferencesDialog::checkName);

    m_sounds = look::named(new QCheckBox(tr("Play &sounds"), this), "preferencesSounds");
    m_sounds->setChecked(current.sounds);
    m_notifications = look::named(new QCheckBox(tr("Show desktop &notifications"), this), "preferencesNotifications");
    m_notifications->setChecked(current.notifications);
    m_minimiseToTray = look::named(new QCheckBox(tr("&Minimise to the tray"), this), "preferencesTray");
    m_minimiseToTray->setChecked(current.minimiseToTray);
    m_minimiseToTray->setEnabled(trayExists);
    if (!trayExists)
        m_minimiseToTray->setToolTip(tr("This desktop has no tray: a minimised window stays in the task bar"));

    auto *form = new QFormLayout;
    form->addRow(tr("&Name shown to others:"), m_name);
    form->addRow(QString(), m_nameRefused);
    form->addRow(QString(), m_useFullName);
    if (!qEnvironmentVariableIsEmpty("USERNAME")) {
        auto *overridden = new QLabel(tr("USERNAME is set: it names you instead while it is."), this);
        overridden->setWordWrap(true);
        form->addRow(QString(), overridden);
    }
    form->addRow(QString(), m_sounds);
    form->addRow(QString(), m_notifications);
    form->addRow(QString(), m_minimiseToTray);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_buttons);
    // The dialog grows and shrinks with the notes it shows, so a wrapped
    // note is never cut; the field is wide enough for a full name.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * kFieldChars);
}

Preferences PreferencesDialog::chosen() const
{
    Preferences chosen = m_current;
    chosen.name = m_name->text().trimmed();
    chosen.sounds = m_sounds->isChecked();
    chosen.notifications = m_notifications->isChecked();
    chosen.minimiseToTray = m_minimiseToTray->isChecked();
    return chosen;
}

// Tinted like the chat line while the name holds what others cannot read,
// and OK waits for a name that travels.
void PreferencesDialog::checkName()
{
    const QStringList refused = untravelled(m_name->text());
    m_nameRefused->setText(refused.isEmpty() ? QString()
                                             : tr("Other stations cannot show these characters: %1")
                                                   .arg(refused.join(u' ')));
    m_nameRefused->setVisible(!refused.isEmpty());
    QPalette palette;
    if (!refused.isEmpty())
        palette.setColor(QPalette::Base, look::kLossyInputBack);
    m_name->setPalette(palette);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(refused.isEmpty());
}

void PreferencesDialog::done(int result)
{
    if (result == QDialog::Accepted) {
        const Preferences now = chosen();
        if (!travels(now.name))
            return;
        if (now != m_current) {
            now.save();
            emit changed(now, m_current);
        }
    }
    QDialog::done(result);
}
