#include "mainwindow/systemtray.h"

#include <QAction>
#include <QMenu>
#include <QTest>

class TestSystemTray final : public QObject
{
    Q_OBJECT

    QWidget *m_window = nullptr;
    SystemTray *m_tray = nullptr;

private slots:
    void init()
    {
        m_window = new QWidget;
        m_tray = new SystemTray(m_window);
    }

    void cleanup() { delete m_window; }

    void commands_data()
    {
        QTest::addColumn<QSystemTrayIcon::ActivationReason>("click"); // how the icon was clicked, if it was
        QTest::addColumn<QString>("item");   // else the tray menu item run
        QTest::addColumn<bool>("hidden");    // minimised and hidden, else shown behind another window
        QTest::addColumn<QString>("after");  // the window, and the tray menu when it popped up

        QTest::newRow("click restores") << QSystemTrayIcon::Trigger << "" << true << "shown";
        QTest::newRow("double click restores") << QSystemTrayIcon::DoubleClick << "" << true << "shown";
        QTest::newRow("click brings to front") << QSystemTrayIcon::Trigger << "" << false << "shown";
        QTest::newRow("right click only pops up the menu") << QSystemTrayIcon::Context << "" << true << "hidden minimised menu";
        QTest::newRow("middle click ignored") << QSystemTrayIcon::MiddleClick << "" << true << "hidden minimised";
        QTest::newRow("Minimize") << QSystemTrayIcon::Unknown << "mnuPopMinimize" << false << "shown minimised";
        QTest::newRow("Restore") << QSystemTrayIcon::Unknown << "mnuPopRestore" << true << "shown";
        QTest::newRow("Exit") << QSystemTrayIcon::Unknown << "mnuPopExit" << false << "hidden";
    }

    void commands()
    {
        QFETCH(QSystemTrayIcon::ActivationReason, click);
        QFETCH(QString, item);
        QFETCH(bool, hidden);
        QWidget other;
        m_window->setWindowState(hidden ? Qt::WindowMinimized : Qt::WindowNoState);
        m_window->setVisible(!hidden);
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));

        if (item.isEmpty())
            emit m_window->findChild<QSystemTrayIcon *>(QStringLiteral("TrayIcon"))->activated(click);
        else
            m_window->findChild<QMenu *>(QStringLiteral("mPopupSys"))->findChild<QAction *>(item)->trigger();

        const QString after = QLatin1String(m_window->isVisible() ? "shown" : "hidden")
            + (m_window->isMinimized() ? " minimised" : "") + (m_tray->menu()->isVisible() ? " menu" : "");
        QTEST(after, "after");
        m_tray->menu()->hide();
        if (after == "shown") // and in front
            QTRY_VERIFY(m_window->isActiveWindow());
    }
};

QTEST_MAIN(TestSystemTray)
#include "test_systemtray.moc"
