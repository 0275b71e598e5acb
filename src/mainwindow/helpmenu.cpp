#include "mainwindow/helpmenu.h"

#include "look/names.h"
#include "mainwindow/aboutbox.h"
#include "mainwindow/readmewindow.h"

#include <QAction>
#include <QDesktopServices>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

HelpMenu::HelpMenu(QWidget *owner)
    : QObject(owner)
    , m_menu(look::named(new QMenu(tr("&Help"), owner), "Help"))
    , m_owner(owner)
    , m_openUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    QAction *contentsItem = look::addNamedAction(m_menu, tr("&Contents"), "mnuContents");
    QAction *homePageItem = look::addNamedAction(m_menu, tr("&Visit the Author's Homepage..."), "mnuWeb");
    m_menu->addSeparator()->setObjectName(QStringLiteral("mnuExit"));
    QAction *aboutItem = look::addNamedAction(m_menu, tr("&About Quillet..."), "mnuAbout");
    connect(contentsItem, &QAction::triggered, this, &HelpMenu::openContents);
    connect(homePageItem, &QAction::triggered, this, &HelpMenu::openHomePage);
    connect(aboutItem, &QAction::triggered, this, [this] { AboutBox::open(m_owner); });
}

ReadmeWindow *HelpMenu::readmeWindow() const
{
    return m_readme;
}

QMessageBox *HelpMenu::homePageNote() const
{
    return m_homePageNote;
}

// The read-me always opens in the program's own window. Handing the file to
// the desktop cannot be checked: the launcher counts as success once it has
// started, even when it then finds no program for text files and shows
// nothing. The built-in copy also matches this version wherever the program is.
void HelpMenu::openContents()
{
    if (!m_readme)
        m_readme = new ReadmeWindow(m_owner);
    m_readme->open();
}

// A web page needs a browser; when none can be started the user is told where
// the page is, in a note they can copy the address from. Not modal: the
// station goes on meanwhile.
void HelpMenu::openHomePage()
{
    const QString address = QLatin1String(kHomePage);
    if (m_openUrl(QUrl(address)))
        return;
    if (!m_homePageNote) {
        m_homePageNote = new QMessageBox(QMessageBox::Information, tr("Quillet's home page"),
                                         tr("No web browser could be started. The home page is at\n\n%1")
                                             .arg(address),
                                         QMessageBox::Ok, m_owner);
        m_homePageNote->setObjectName(QStringLiteral("homePageNote"));
        m_homePageNote->setTextFormat(Qt::PlainText);
        m_homePageNote->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        m_homePageNote->setAttribute(Qt::WA_DeleteOnClose);
        m_homePageNote->setWindowModality(Qt::NonModal);
    }
    m_homePageNote->show();
    m_homePageNote->raise();
}
