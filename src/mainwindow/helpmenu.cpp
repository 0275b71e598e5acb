#include "mainwindow/helpmenu.h"

#include "look/names.h"
#include "mainwindow/aboutbox.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QUrl>
#include <QWidget>

HelpMenu::HelpMenu(QWidget *owner)
    : QObject(owner)
    , m_menu(look::named(new QMenu(tr("&Help"), owner), "Help"))
    , m_owner(owner)
{
    QAction *contentsItem = look::addNamedAction(m_menu, tr("&Contents"), "mnuContents");
    QAction *homePageItem = look::addNamedAction(m_menu, tr("&Visit the Author's Homepage..."), "mnuWeb");
    m_menu->addSeparator()->setObjectName(QStringLiteral("mnuExit"));
    QAction *aboutItem = look::addNamedAction(m_menu, tr("&About Quillet..."), "mnuAbout");
    connect(contentsItem, &QAction::triggered, this, &HelpMenu::openContents);
    connect(homePageItem, &QAction::triggered, this, &HelpMenu::openHomePage);
    connect(aboutItem, &QAction::triggered, this, [this] { AboutBox::open(m_owner); });
}

QString HelpMenu::readmePath()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(kReadmeName);
}

// Whether the desktop can open the file or the page is its own affair: the
// result is ignored and nothing is reported.
void HelpMenu::openContents()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(readmePath()));
}

void HelpMenu::openHomePage()
{
    QDesktopServices::openUrl(QUrl(QLatin1String(kHomePage)));
}
