#include "frmabout.h"
#include "systemtray.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace {

// Stands in for the main window: it counts how often it was asked to close.
class Window final : public QWidget
{
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closes;
        QWidget::closeEvent(event);
    }
};

} // namespace

class TestSystemTray : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void activation_data();
    void activation();
    void trayMenu_data();
    void trayMenu();
    void noTrayMeansNoHiding();

private:
    // "hidden": minimised and hidden, as the main window is after a minimise
    // with a tray; "behind": shown, with another window active.
    void putWindow(const QString &where);

    Window *m_window = nullptr;
    QWidget *m_other = nullptr;
    SystemTray *m_tray = nullptr;
};

void TestSystemTray::init()
{
    m_window = new Window;
    m_window->resize(200, 100);
    m_other = new QWidget;
    m_other->resize(100, 100);
    m_tray = new SystemTray(m_window);
}

void TestSystemTray::cleanup()
{
    m_tray->mPopupSys->hide();
    delete m_window;
    delete m_other;
    if (frmAbout *box = frmAbout::instance())
        delete box;
}

void TestSystemTray::putWindow(const QString &where)
{
    if (where == QLatin1String("hidden")) {
        m_window->show();
        m_window->setWindowState(Qt::WindowMinimized);
        m_window->hide();
        return;
    }
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_other->show();
    m_other->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_other));
}

void TestSystemTray::activation_data()
{
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("shown");   // normal and visible afterwards
    QTest::addColumn<bool>("menu");    // tray menu popped up

    QTest::newRow("click restores hidden window") << QSystemTrayIcon::Trigger << "hidden" << true << false;
    QTest::newRow("double click restores hidden window") << QSystemTrayIcon::DoubleClick << "hidden" << true << false;
    QTest::newRow("click brings window to front") << QSystemTrayIcon::Trigger << "behind" << true << false;
    QTest::newRow("right click leaves window hidden") << QSystemTrayIcon::Context << "hidden" << false << true;
    QTest::newRow("right click over shown window") << QSystemTrayIcon::Context << "behind" << true << true;
    QTest::newRow("middle click ignored") << QSystemTrayIcon::MiddleClick << "hidden" << false << false;
    QTest::newRow("unknown reason ignored") << QSystemTrayIcon::Unknown << "hidden" << false << false;
}

void TestSystemTray::activation()
{
    QFETCH(QSystemTrayIcon::ActivationReason, reason);
    QFETCH(QString, where);
    QFETCH(bool, shown);
    QFETCH(bool, menu);

    putWindow(where);
    m_tray->TrayIcon_Activated(reason);

    QCOMPARE(m_window->isVisible(), shown);
    QCOMPARE(m_tray->mPopupSys->isVisible(), menu);
    if (shown) {
        QVERIFY(!m_window->isMinimized());
        if (!menu)
            QTRY_VERIFY(m_window->isActiveWindow());
    }
}

void TestSystemTray::trayMenu_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("minimised");
    QTest::addColumn<int>("closes");
    QTest::addColumn<bool>("about");

    QTest::newRow("minimize") << "mnuPopMinimize" << "behind" << true << true << 0 << false;
    QTest::newRow("restore hidden window") << "mnuPopRestore" << "hidden" << true << false << 0 << false;
    QTest::newRow("about over hidden window") << "mnuPopAbout" << "hidden" << false << true << 0 << true;
    QTest::newRow("exit") << "mnuPopExit" << "behind" << false << false << 1 << false;
}

void TestSystemTray::trayMenu()
{
    QFETCH(QString, item);
    QFETCH(QString, where);
    QFETCH(bool, shown);
    QFETCH(bool, minimised);
    QFETCH(int, closes);
    QFETCH(bool, about);

    putWindow(where);
    auto *action = m_tray->mPopupSys->findChild<QAction *>(item);
    QVERIFY(action);
    QVERIFY(m_tray->mPopupSys->actions().contains(action));
    action->trigger();

    QCOMPARE(m_window->isVisible(), shown);
    QCOMPARE(m_window->isMinimized(), minimised);
    QCOMPARE(m_window->closes, closes);
    QCOMPARE(frmAbout::instance() != nullptr, about);
    if (about)
        QCOMPARE(frmAbout::instance()->parentWidget(), m_window);
}

// Offscreen there is no tray: the icon is asked for all the same, but the
// window must not hide itself on minimise, or nothing could bring it back.
void TestSystemTray::noTrayMeansNoHiding()
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        QSKIP("a system tray is available here");
    QVERIFY(!m_tray->available());
    m_tray->show();
    QVERIFY(!m_tray->available());
    m_tray->hide();
    QVERIFY(!m_tray->TrayIcon->isVisible());
}

QTEST_MAIN(TestSystemTray)
#include "test_systemtray.moc"
