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
    void oneBoxHoweverAsked_data();
    void oneBoxHoweverAsked();
    void closing_data();
    void closing();
    void texts();
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
    m_owner->resize(640, 340);
    m_help = new Help(m_owner);
    m_tray = new SystemTray(m_owner);
    m_owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_owner));
}

void TestAbout::cleanup()
{
    delete frmAbout::instance();
    delete m_owner;
}

void TestAbout::oneBoxHoweverAsked_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    QTest::newRow("help menu twice") << "mnuAbout" << "mnuAbout";
    QTest::newRow("help menu, then tray menu") << "mnuAbout" << "mnuPopAbout";
    QTest::newRow("tray menu, then help menu") << "mnuPopAbout" << "mnuAbout";
}

void TestAbout::oneBoxHoweverAsked()
{
    QFETCH(QString, first);
    QFETCH(QString, second);

    auto command = [this](const QString &name) {
        if (auto *action = m_owner->findChild<QAction *>(name))
            return action;
        return m_tray->mPopupSys->findChild<QAction *>(name);
    };

    command(first)->trigger();
    QPointer<frmAbout> box = frmAbout::instance();
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QVERIFY(!box->isModal());
    const QPoint movedTo = box->pos() + QPoint(17, 11);
    box->move(movedTo);

    command(second)->trigger();
    QCOMPARE(frmAbout::instance(), box.data());
    QCOMPARE(m_owner->findChildren<frmAbout *>().size(), 1);
    QCOMPARE(box->pos(), movedTo);
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
    QVERIFY(!frmAbout::instance());

    // The next command builds a fresh box.
    frmAbout::Load(m_owner);
    QVERIFY(frmAbout::instance());
    QVERIFY(frmAbout::instance()->isVisible());
}

void TestAbout::texts()
{
    frmAbout::Load(m_owner);
    frmAbout *box = frmAbout::instance();
    QCOMPARE(box->windowTitle(), QStringLiteral("About Quillet"));
    QCOMPARE(box->lblTitle->text(), QStringLiteral("Quillet"));
    QCOMPARE(box->lblVersion->text(), QStringLiteral("Version: 1.04"));
    QCOMPARE(box->Label1->text(), QStringLiteral("Homepage: https://quillet.example.org/"));
    QVERIFY(!box->lblDescription->text().isEmpty());
    QCOMPARE(box->cmdOK->text(), QStringLiteral("OK"));
    QVERIFY(box->cmdOK->isDefault());
    QCOMPARE(box->size(), QSize(393, 97));
    QVERIFY(!(box->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
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
