#include "editmenu.h"
#include "form1.h"
#include "help.h"
#include "stations.h"
#include "systemtray.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

namespace {

// A menu as "caption[shortcut]" lines, separators as "-".
QStringList describe(const QMenu *menu)
{
    QStringList lines;
    for (const QAction *action : menu->actions()) {
        QString line = action->isSeparator() ? QStringLiteral("-") : action->text();
        if (!action->shortcut().isEmpty())
            line += "[" + action->shortcut().toString() + "]";
        lines << line;
    }
    return lines;
}

} // namespace

// The main window's menus and what they do, with the station around them.
class TestMenus final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void menuTree_data();
    void menuTree();
    void proposalToOneselfOpensAProposalWindowHere();
    void editMenuOnTheStationsControls();
    void minimisingWithoutATrayKeepsTheWindow();
    void helpOpensTheReadmeAndTheHomePage();

private:
    std::unique_ptr<LocalLan> m_lan;
    std::unique_ptr<Form1> m_alice;
};

void TestMenus::init()
{
    m_lan = std::make_unique<LocalLan>();
    m_alice = startStation(*m_lan, "alice");
    QTRY_COMPARE(m_alice->ListView1->count(), 1);
    m_alice->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_alice.get()));
}

void TestMenus::cleanup()
{
    m_alice.reset();
    m_lan.reset();
}

void TestMenus::menuTree_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("place");
    QTest::newRow("File") << "File" << "&File" << QStringList{"&Exit"} << 0;
    QTest::newRow("Edit") << "mnuEdit" << "&Edit"
                          << QStringList{"Cu&t[Ctrl+X]", "&Copy[Ctrl+C]", "&Paste[Ctrl+V]", "-", "C&lear[Del]",
                                         "Select &All[Ctrl+A]"} << 1;
    QTest::newRow("Tools") << "Tools" << "&Tools" << QStringList{"&Clear log"} << 2;
    QTest::newRow("Help") << "Help" << "&Help"
                          << QStringList{"&Contents", "&Visit the Author's Homepage...", "-", "&About Quillet..."} << 3;
    QTest::newRow("tray") << "mPopupSys" << "&Systray"
                          << QStringList{"&Minimize", "&Restore", "-", "&About", "&Exit"} << -1;
    QTest::newRow("user list") << "mnuPopupList1" << "&Options"
                               << QStringList{"Send a message", "Propose a game of Othello",
                                              "Propose a game of Puissance 4"} << -1;
}

void TestMenus::menuTree()
{
    QFETCH(QString, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, items);
    const QMenu *found = m_alice->findChild<QMenu *>(menu);
    QVERIFY(found);
    QFETCH(int, place); // in the menu bar, or -1 for a pop-up only
    QCOMPARE(m_alice->menuBar()->actions().indexOf(found->menuAction()), place);
    QCOMPARE(found->title(), title);
    QCOMPARE(describe(found), items);
}

void TestMenus::proposalToOneselfOpensAProposalWindowHere()
{
    m_alice->ListView1->item(0)->setSelected(true);
    m_alice->findChild<QAction *>("mnuProposeOthello")->trigger();
    QTRY_VERIFY(m_alice->frmOthelloProposal);
    QCOMPARE(m_alice->frmOthelloProposal->DestUser, QString("alice"));
    QCOMPARE(m_alice->frmOthelloProposal->SourceUser, QString("alice"));
    delete m_alice->frmOthelloProposal;
}

void TestMenus::editMenuOnTheStationsControls()
{
    EditMenu &menu = *m_alice->editMenu;
    const auto states = [&menu] { // items 2..7: "x" enabled, "." disabled or separator
        QString text;
        for (int index = EditMenu::kCut; index <= EditMenu::kSelectAll; ++index)
            text += index != EditMenu::kSeparator && menu.mnuEditItem(index)->isEnabled() ? "x" : ".";
        return text;
    };
    QImage image(4, 4, QImage::Format_RGB32);
    QApplication::clipboard()->setImage(image);
    m_alice->Text3->setText("hello world");
    m_alice->Text3->setSelection(0, 6);
    m_alice->Text3->setFocus();
    menu.mnuEdit_Click();
    QCOMPARE(states(), QString("xx..xx")); // no text to paste
    menu.mnuEditItem(EditMenu::kCut)->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("hello "));
    QCOMPARE(m_alice->Text3->text(), QString("world"));

    // A room log is read-only: Cut copies and leaves it whole.
    m_alice->TCP1_DataArrival(wire::encode(wire::workLine("in the log")));
    m_alice->Text1->selectAll();
    m_alice->Text1->setFocus();
    menu.mnuEdit_Click();
    QCOMPARE(states(), QString("xxx.xx"));
    menu.mnuEditItem(EditMenu::kCut)->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("in the log"));
    QCOMPARE(logLines(m_alice->Text1), QString("in the log"));
}

void TestMenus::minimisingWithoutATrayKeepsTheWindow()
{
    QVERIFY(!m_alice->tray->available()); // no tray on the offscreen platform
    m_alice->showMinimized();
    QTRY_VERIFY(m_alice->isMinimized());
    QVERIFY(m_alice->isVisible());
    m_alice->findChild<QAction *>("mnuPopRestore")->trigger();
    QTRY_VERIFY(!m_alice->isMinimized());
    QVERIFY(m_alice->isVisible());
}

// Records what the desktop is asked to open, so no viewer or browser starts.
class UrlRecorder final : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

void TestMenus::helpOpensTheReadmeAndTheHomePage()
{
    UrlRecorder recorder;
    for (const char *scheme : {"file", "https"})
        QDesktopServices::setUrlHandler(scheme, &recorder, "open");
    m_alice->findChild<QAction *>("mnuContents")->trigger();
    m_alice->findChild<QAction *>("mnuWeb")->trigger();
    QCOMPARE(recorder.opened, (QList<QUrl>{QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/Readme.txt"),
                                           QUrl(Help::kHomePage)}));
}

QTEST_MAIN(TestMenus)
#include "test_menus.moc"
