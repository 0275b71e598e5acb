#include "frmabout.h"
#include "help.h"
#include "systemtray.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestAbout final : public QObject
{
    Q_OBJECT

    QWidget m_owner;

private slots:
    void cleanup() { delete frmAbout::instance(); }

    void oneBoxHoweverAsked()
    {
        auto *help = new Help(&m_owner);
        auto *tray = new SystemTray(&m_owner);

        help->mnuAbout->trigger();
        QPointer<frmAbout> box = frmAbout::instance();
        tray->mnuPopAbout->trigger();
        help->mnuAbout->trigger();

        QCOMPARE(m_owner.findChildren<frmAbout *>(), QList<frmAbout *>{box});
        QVERIFY(box->isVisible() && !box->isModal());
        QCOMPARE(box->windowTitle(), QStringLiteral("About Quillet"));
        QCOMPARE(box->lblVersion->text(), QStringLiteral("Version: 1.04"));
        QCOMPARE(box->Label1->text(), QStringLiteral("Homepage: https://quillet.example.org/"));
    }

    // OK and Esc close the box, and the next request opens a fresh one.
    void closing()
    {
        for (const bool ok : {true, false}) {
            frmAbout::Load(&m_owner);
            QPointer<frmAbout> box = frmAbout::instance();
            QVERIFY(box && box->isVisible());
            if (ok)
                QTest::mouseClick(box->cmdOK, Qt::LeftButton);
            else
                QTest::keyClick(box, Qt::Key_Escape);
            QTRY_VERIFY(!box);
        }
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
