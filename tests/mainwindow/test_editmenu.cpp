#include "mainwindow/editmenu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

// A line edit's state shows its selection in brackets, "[hello ]world".
namespace {

void setState(QLineEdit *line, const QString &state)
{
    line->setText(QString(state).remove(u'[').remove(u']'));
    if (const int start = state.indexOf(u'['); start >= 0)
        line->setSelection(start, state.indexOf(u']') - start - 1);
}

QString stateOf(QWidget *control)
{
    auto *line = qobject_cast<QLineEdit *>(control);
    if (!line || !line->hasSelectedText())
        return line ? line->text() : QString();
    return line->text().insert(line->selectionEnd(), u']').insert(line->selectionStart(), u'[');
}

} // namespace

class TestEditMenu final : public QObject
{
    Q_OBJECT

    QWidget *m_window = nullptr;
    EditMenu *m_edit = nullptr;

    QWidget *control(const QString &name) const { return m_window->findChild<QWidget *>(name); }

private slots:
    void init()
    {
        m_window = new QWidget;
        (new QLineEdit(m_window))->setObjectName(QStringLiteral("line"));
        auto *panel = new QWidget(m_window);
        panel->setObjectName(QStringLiteral("panel"));
        panel->setFocusPolicy(Qt::StrongFocus);
        m_edit = new EditMenu(m_window);
        (new QMenuBar(m_window))->addMenu(m_edit->menu());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }

    void cleanup() { delete m_window; }

    void commands_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("enabled"); // on opening: 2 Cut, 3 Copy, 4 Paste, 6 Clear, 7 Select All
        QTest::addColumn<int>("index");       // the item then run
        QTest::addColumn<QString>("after");   // state, clipboard

        QTest::newRow("cut") << "line" << "[hello ]world" << "old" << "23467" << 2 << "world, hello ";
        QTest::newRow("copy") << "line" << "[hello ]world" << "" << "2367" << 3 << "[hello ]world, hello ";
        QTest::newRow("paste over selection") << "line" << "[hello ]world" << "bye " << "23467" << 4 << "bye world, bye ";
        QTest::newRow("clear") << "line" << "hello[ world]" << "" << "2367" << 6 << "hello, ";
        QTest::newRow("copy nothing keeps clipboard") << "line" << "hello" << "old" << "47" << 3 << "hello, old";
        QTest::newRow("panel is neither kind") << "panel" << "" << "old" << "" << 2 << ", old";
    }

    void commands()
    {
        QFETCH(QString, name);
        QFETCH(QString, state);
        QFETCH(QString, clipboard);
        QFETCH(int, index);
        if (auto *line = qobject_cast<QLineEdit *>(control(name)))
            setState(line, state);
        if (clipboard.isEmpty())
            QGuiApplication::clipboard()->clear();
        else
            QGuiApplication::clipboard()->setText(clipboard);
        control(name)->setFocus();

        // Opened and closed as a click on it would.
        QMenu *menu = m_window->findChild<QMenu *>(QStringLiteral("mnuEdit"));
        menu->popup(m_window->mapToGlobal(QPoint(10, 10)));
        menu->hide();
        QString enabled;
        for (EditMenu::Item item : {EditMenu::kCut, EditMenu::kCopy, EditMenu::kPaste, EditMenu::kClear, EditMenu::kSelectAll})
            enabled += m_edit->item(item)->isEnabled() ? QString::number(item) : QString();
        QTEST(enabled, "enabled");
        m_edit->item(EditMenu::Item(index))->trigger();

        QTEST(stateOf(control(name)) + QLatin1String(", ") + QGuiApplication::clipboard()->text(), "after");
    }
};

QTEST_MAIN(TestEditMenu)
#include "test_editmenu.moc"
