#include "frmabout.h"
#include "systemtray.h"

#include <QAction>
#include <QMenu>
#include <QTest>

class TestSystemTray : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void commands_data();
    void commands();
    void noTrayMeansNoHiding();

private:
    QWidget *m_window = nullptr;
    QWidget *m_other = nullptr;
    SystemTray *m_tray = nullptr;
};

void TestSystemTray::init()
{
    m_window = new QWidget;
    m_other = new QWidget;
    m_tray = new SystemTray(m_window);
}

void TestSystemTray::cleanup()
{
    delete frmAbout::instance();
    delete m_window;
    delete m_other;
}

void TestSystemTray::commands_data()
{
    QTest::addColumn<QString>("command"); // a tray menu item, or how the icon was clicked
    QTest::addColumn<bool>("hidden");     // minimised and hidden, else shown behind another window
    QTest::addColumn<bool>("shown");      // visible afterwards (and then in front unless minimised)
    QTest::addColumn<bool>("minimised");
    QTest::addColumn<bool>("menu");       // the tray menu popped up

    QTest::newRow("click restores hidden window") << "Trigger" << true << true << false << false;
    QTest::newRow("double click restores hidden window") << "DoubleClick" << true << true << false << false;
    QTest::newRow("click brings window to front") << "Trigger" << false << true << false << false;
    QTest::newRow("right click leaves window hidden") << "Context" << true << false << true << true;
    QTest::newRow("middle click ignored") << "MiddleClick" << true << false << true << false;
    QTest::newRow("minimize") << "mnuPopMinimize" << false << true << true << false;
    QTest::newRow("restore hidden window") << "mnuPopRestore" << true << true << false << false;
    QTest::newRow("about leaves window hidden") << "mnuPopAbout" << true << false << true << false;
    QTest::newRow("exit closes window") << "mnuPopExit" << false << false << false << false;
}

void TestSystemTray::commands()
{
    QFETCH(QString, command);
    QFETCH(bool, hidden);
    QFETCH(bool, shown);
    QFETCH(bool, minimised);
    QFETCH(bool, menu);

    m_window->show();
    if (hidden) {
        m_window->setWindowState(Qt::WindowMinimized);
        m_window->hide();
    } else {
        m_other->show();
        QVERIFY(QTest::qWaitForWindowActive(m_other));
    }
    auto *item = m_tray->mPopupSys->findChild<QAction *>(command);
    if (item) {
        QVERIFY(m_tray->mPopupSys->actions().contains(item));
        item->trigger();
    } else {
        const QHash<QString, QSystemTrayIcon::ActivationReason> reasons{
            {"Trigger", QSystemTrayIcon::Trigger},
            {"DoubleClick", QSystemTrayIcon::DoubleClick},
            {"Context", QSystemTrayIcon::Context},
            {"MiddleClick", QSystemTrayIcon::MiddleClick}};
        m_tray->TrayIcon_Activated(reasons.value(command));
    }

    QCOMPARE(m_window->isVisible(), shown);
    QCOMPARE(m_window->isMinimized(), minimised);
    QCOMPARE(m_tray->mPopupSys->isVisible(), menu);
    QCOMPARE(frmAbout::instance() != nullptr, item == m_tray->mnuPopAbout);
    m_tray->mPopupSys->hide();
    if (shown && !minimised)
        QTRY_VERIFY(m_window->isActiveWindow());
}

// Offscreen there is no tray: the icon is asked for all the same, but the
// window must not hide itself on minimise, or nothing could bring it back.
void TestSystemTray::noTrayMeansNoHiding()
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        QSKIP("a system tray is available here");
    m_tray->show();
    QVERIFY(!m_tray->available());
    m_tray->hide();
    QVERIFY(!m_tray->TrayIcon->isVisible());
}

QTEST_MAIN(TestSystemTray)
#include "test_systemtray.moc"
