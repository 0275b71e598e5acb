#include "help.h"

#include "frmabout.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QUrl>
#include <QWidget>

Help::Help(QWidget *owner)
    : QObject(owner)
    , menu(new QMenu(tr("&Help"), owner))
    , mnuContents(menu->addAction(tr("&Contents")))
    , mnuWeb(menu->addAction(tr("&Visit the Author's Homepage...")))
    , mnuExit(menu->addSeparator())
    , mnuAbout(menu->addAction(tr("&About Quillet...")))
    , m_owner(owner)
{
    menu->setObjectName(QStringLiteral("Help"));
    mnuContents->setObjectName(QStringLiteral("mnuContents"));
    mnuWeb->setObjectName(QStringLiteral("mnuWeb"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
    connect(mnuContents, &QAction::triggered, this, &Help::mnuContents_Click);
    connect(mnuWeb, &QAction::triggered, this, &Help::mnuWeb_Click);
    connect(mnuAbout, &QAction::triggered, this, &Help::mnuAbout_Click);
}

QString Help::readmePath()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(kReadmeName);
}

// Whether the desktop can open the file or the page is its own affair: the
// result is ignored and nothing is reported.
void Help::mnuContents_Click()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(readmePath()));
}

void Help::mnuWeb_Click()
{
    QDesktopServices::openUrl(QUrl(QLatin1String(kHomePage)));
}

void Help::mnuAbout_Click()
{
    frmAbout::Load(m_owner);
}
