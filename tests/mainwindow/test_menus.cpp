#include "editmenu.h"
#include "form1.h"
#include "stations.h"
#include "systemtray.h"

#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

namespace {

// A menu as "caption[shortcut]" lines, separators as "-", pop-ups indented.
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
    void menuBarOrder();
    void proposalToOneselfOpensAProposalWindowHere();
    void editMenuOnTheStationsControls_data();
    void editMenuOnTheStationsControls();
    void deleteKeyFollowsTheLastOpening();
    void minimisingWithoutATrayKeepsTheWindow();

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
    QTest::newRow("File") << "File" << "&File" << QStringList{"&Exit"};
    QTest::newRow("Edit") << "mnuEdit" << "&Edit"
                          << QStringList{"Cu&t[Ctrl+X]", "&Copy[Ctrl+C]", "&Paste[Ctrl+V]", "-", "C&lear[Del]",
                                         "Select &All[Ctrl+A]"};
    QTest::newRow("Tools") << "Tools" << "&Tools" << QStringList{"&Clear log"};
    QTest::newRow("Help") << "Help" << "&Help"
                          << QStringList{"&Contents", "&Visit the Author's Homepage...", "-", "&About Quillet..."};
    QTest::newRow("tray") << "mPopupSys" << "&Systray"
                          << QStringList{"&Minimize", "&Restore", "-", "&About", "&Exit"};
    QTest::newRow("user list") << "mnuPopupList1" << "&Options"
                               << QStringList{"Send a message", "Propose a game of Othello",
                                              "Propose a game of Puissance 4"};
}

void TestMenus::menuTree()
{
    QFETCH(QString, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, items);
    const QMenu *found = m_alice->findChild<QMenu *>(menu);
    QVERIFY(found);
    QCOMPARE(found->title(), title);
    QCOMPARE(describe(found), items);
}

void TestMenus::menuBarOrder()
{
    QStringList titles;
    for (const QAction *action : m_alice->menuBar()->actions())
        titles << action->text();
    QCOMPARE(titles, (QStringList{"&File", "&Edit", "&Tools", "&Help"}));
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

void TestMenus::editMenuOnTheStationsControls_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("imageOnClipboard");
    QTest::addColumn<QString>("enabled"); // items 2..7 as "x" enabled, "." disabled
    QTest::addColumn<QString>("afterCut");
    QTest::newRow("input line, text on the clipboard") << "Text3" << false << "xxx.xx" << "world";
    QTest::newRow("input line, image on the clipboard") << "Text3" << true << "xx..xx" << "world";
    QTest::newRow("work log, read-only") << "Text1" << false << "xxx.xx" << "hello world";
}

void TestMenus::editMenuOnTheStationsControls()
{
    QFETCH(QString, control);
    QFETCH(bool, imageOnClipboard);
    QFETCH(QString, enabled);
    QFETCH(QString, afterCut);
    QClipboard *clipboard = QApplication::clipboard();
    if (imageOnClipboard) {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        clipboard->setImage(image);
    } else {
        clipboard->setText("pasted");
    }
    QWidget *widget = m_alice->findChild<QWidget *>(control);
    if (auto *line = qobject_cast<QLineEdit *>(widget)) {
        line->setText("hello world");
        line->setSelection(0, 6);
    } else {
        auto *log = qobject_cast<QPlainTextEdit *>(widget);
        m_alice->TCP1_DataArrival(wire::encode(wire::workLine("hello world")));
        QTextCursor cursor = log->textCursor();
        cursor.setPosition(0);
        cursor.setPosition(6, QTextCursor::KeepAnchor);
        log->setTextCursor(cursor);
    }
    widget->setFocus();

    EditMenu &menu = *m_alice->editMenu;
    menu.mnuEdit_Click();
    QString states;
    for (int index = EditMenu::kCut; index <= EditMenu::kSelectAll; ++index)
        states += index == EditMenu::kSeparator || !menu.mnuEditItem(index)->isEnabled() ? "." : "x";
    QCOMPARE(states, enabled);

    menu.mnuEditItem(EditMenu::kCut)->trigger();
    QCOMPARE(clipboard->text(), QString("hello "));
    const QString text = qobject_cast<QLineEdit *>(widget) ? qobject_cast<QLineEdit *>(widget)->text()
                                                           : qobject_cast<QPlainTextEdit *>(widget)->toPlainText();
    QCOMPARE(text, afterCut);
}

void TestMenus::deleteKeyFollowsTheLastOpening()
{
    // Opened over the user list, which is neither kind of control: all off.
    m_alice->ListView1->setFocus();
    m_alice->editMenu->mnuEdit_Click();
    QAction *clear = m_alice->editMenu->mnuEditItem(EditMenu::kClear);
    QVERIFY(!clear->isEnabled());
    // Moving the focus does not re-enable it; only the next opening does.
    m_alice->Text3->setText("abc");
    m_alice->Text3->selectAll();
    m_alice->Text3->setFocus();
    QVERIFY(!clear->isEnabled());
    m_alice->editMenu->mnuEdit_Click();
    QVERIFY(clear->isEnabled());
    clear->trigger();
    QCOMPARE(m_alice->Text3->text(), QString());
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

QTEST_MAIN(TestMenus)
#include "test_menus.moc"
