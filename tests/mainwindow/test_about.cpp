#include "frmabout.h"
#include "help.h"
#include "systemtray.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QUrl>

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void oneBoxHoweverAsked(); // and what it shows
    void closing_data();
    void closing();
    void helpOpensReadmeAndHomePage();

public slots:
    // Stands in for the desktop's browser and text viewer.
    void openUrl(const QUrl &url) { m_opened.append(url); }

private:
    QWidget *m_owner = nullptr;
    Help *m_help = nullptr;
    SystemTray *m_tray = nullptr;
    QList<QUrl> m_opened;
};

void TestAbout::init()
{
    m_owner = new QWidget;
    m_help = new Help(m_owner);
    m_tray = new SystemTray(m_owner);
    m_owner->show();
}

void TestAbout::cleanup()
{
    delete frmAbout::instance();
    delete m_owner;
}

void TestAbout::oneBoxHoweverAsked()
{
    m_help->mnuAbout->trigger();
    QPointer<frmAbout> box = frmAbout::instance();
    QVERIFY(box && box->isVisible() && !box->isModal());
    const QPoint movedTo = box->pos() + QPoint(17, 11);
    box->move(movedTo);

    m_tray->mnuPopAbout->trigger();
    m_help->mnuAbout->trigger();
    QCOMPARE(frmAbout::instance(), box.data());
    QCOMPARE(m_owner->findChildren<frmAbout *>().size(), 1);
    QCOMPARE(box->pos(), movedTo);

    QCOMPARE(box->windowTitle(), QStringLiteral("About Quillet"));
    QCOMPARE(box->lblVersion->text(), QStringLiteral("Version: 1.04"));
    QCOMPARE(box->Label1->text(), QStringLiteral("Homepage: https://quillet.example.org/"));
    QCOMPARE(box->size(), QSize(393, 97));
}

void TestAbout::closing_data()
{
    QTest::addColumn<QString>("how");

    QTest::newRow("OK button") << "ok";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("close box") << "close";
}

void TestAbout::closing()
{
    QFETCH(QString, how);

    frmAbout::Load(m_owner);
    QPointer<frmAbout> box = frmAbout::instance();
    QVERIFY(QTest::qWaitForWindowActive(box));
    if (how == QLatin1String("ok"))
        QTest::mouseClick(box->cmdOK, Qt::LeftButton);
    else if (how == QLatin1String("enter"))
        QTest::keyClick(box, Qt::Key_Return);
    else if (how == QLatin1String("esc"))
        QTest::keyClick(box, Qt::Key_Escape);
    else
        box->close();
    QTRY_VERIFY(box.isNull());

    frmAbout::Load(m_owner); // a fresh box
    QVERIFY(frmAbout::instance() && frmAbout::instance()->isVisible());
}

void TestAbout::helpOpensReadmeAndHomePage()
{
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
    m_help->mnuContents->trigger();
    m_help->mnuWeb->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));

    const QList<QUrl> expected{
        QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + QStringLiteral("/Readme.txt")),
        QUrl(QStringLiteral("https://quillet.example.org/")),
    };
    QCOMPARE(m_opened, expected);
}

QTEST_MAIN(TestAbout)
#include "test_about.moc"
