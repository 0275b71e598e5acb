#include "mainwindow/aboutbox.h"
#include "mainwindow/helpmenu.h"
#include "mainwindow/systemtray.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestAbout final : public QObject
{
    Q_OBJECT

    QWidget m_owner;

    void run(const char *item) { m_owner.findChild<QAction *>(QLatin1String(item))->trigger(); }

private slots:
    void cleanup() { delete AboutBox::instance(); }

    void oneBoxHoweverAsked()
    {
        new HelpMenu(&m_owner);
        new SystemTray(&m_owner);

        run("mnuAbout");
        QPointer<AboutBox> box = AboutBox::instance();
        run("mnuPopAbout");
        run("mnuAbout");

        QCOMPARE(m_owner.findChildren<AboutBox *>(), QList<AboutBox *>{box});
        QVERIFY(box->isVisible() && !box->isModal());
        QCOMPARE(box->windowTitle(), QStringLiteral("About Quillet"));
        QCOMPARE(box->findChild<QLabel *>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Version: 1.04"));
        QCOMPARE(box->findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Homepage: https://quillet.example.org/"));
    }

    // OK and Esc close the box, and the next request opens a fresh one.
    void closing()
    {
        for (const bool ok : {true, false}) {
            AboutBox::open(&m_owner);
            QPointer<AboutBox> box = AboutBox::instance();
            QVERIFY(box && box->isVisible());
            if (ok)
                QTest::mouseClick(box->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
            else
                QTest::keyClick(box, Qt::Key_Escape);
            QTRY_VERIFY(!box);
        }
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
