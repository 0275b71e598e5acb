#include "look/look.h"
#include "mainwindow/editmenu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>

// A line edit's state shows its selection in brackets, "[hello ]world"; a
// label's is "<picture>" or "" for none; the clipboard's the same, or its text.
namespace {

const QString kPicture = QStringLiteral("<picture>");
const QPixmap &anyPicture() { return look::picture(look::Picture::Pale); }

void setClipboard(const QString &content)
{
    auto *data = new QMimeData;
    if (content == kPicture)
        data->setImageData(anyPicture().toImage());
    else if (!content.isEmpty())
        data->setText(content);
    QGuiApplication::clipboard()->setMimeData(data);
}

QString clipboardContent()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasImage() ? kPicture : data ? data->text() : QString();
}

void setState(QWidget *control, const QString &state)
{
    if (auto *label = qobject_cast<QLabel *>(control))
        label->setPixmap(state.isEmpty() ? QPixmap() : anyPicture());
    if (auto *line = qobject_cast<QLineEdit *>(control)) {
        line->setText(QString(state).remove(u'[').remove(u']'));
        if (const int start = state.indexOf(u'['); start >= 0)
            line->setSelection(start, state.indexOf(u']') - start - 1);
    }
}

QString stateOf(QWidget *control)
{
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->pixmap().isNull() ? QString() : kPicture;
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

    // Opens and closes the Edit menu as a click on it would.
    void openMenu() const
    {
        QMenu *menu = m_window->findChild<QMenu *>(QStringLiteral("mnuEdit"));
        menu->popup(m_window->mapToGlobal(QPoint(10, 10)));
        menu->hide();
    }

private slots:
    void init()
    {
        m_window = new QWidget;
        (new QLineEdit(m_window))->setObjectName(QStringLiteral("line"));
        auto *panel = new QWidget(m_window);
        panel->setObjectName(QStringLiteral("panel"));
        panel->setFocusPolicy(Qt::StrongFocus);
        auto *label = new QLabel(m_window);
        label->setObjectName(QStringLiteral("label"));
        label->setFocusPolicy(Qt::StrongFocus); // for the Delete key
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
        QTest::newRow("paste a picture refused") << "line" << "[hello ]world" << kPicture << "2367" << 4 << "[hello ]world, " + kPicture;
        QTest::newRow("clear") << "line" << "hello[ world]" << "" << "2367" << 6 << "hello, ";
        QTest::newRow("select all") << "line" << "hello" << "" << "7" << 7 << "[hello], ";
        QTest::newRow("copy nothing keeps clipboard") << "line" << "hello" << "old" << "47" << 3 << "hello, old";
        QTest::newRow("paste into empty line") << "line" << "" << "hi" << "4" << 4 << "hi, hi";
        QTest::newRow("cut picture") << "label" << kPicture << "x" << "236" << 2 << ", " + kPicture;
        QTest::newRow("paste text over picture refused") << "label" << kPicture << "x" << "236" << 4 << kPicture + ", x";
        QTest::newRow("paste picture into empty") << "label" << "" << kPicture << "4" << 4 << kPicture + ", " + kPicture;
        QTest::newRow("panel is neither kind") << "panel" << "" << "old" << "" << 2 << ", old";
    }

    void commands()
    {
        QFETCH(QString, name);
        QFETCH(QString, state);
        QFETCH(QString, clipboard);
        QFETCH(int, index);
        setState(control(name), state);
        setClipboard(clipboard);
        control(name)->setFocus();

        openMenu();
        QString enabled;
        for (EditMenu::Item item : {EditMenu::kCut, EditMenu::kCopy, EditMenu::kPaste, EditMenu::kClear, EditMenu::kSelectAll})
            enabled += m_edit->item(item)->isEnabled() ? QString::number(item) : QString();
        QTEST(enabled, "enabled");
        m_edit->item(EditMenu::Item(index))->trigger();

        QTEST(stateOf(control(name)) + ", " + clipboardContent(), "after");
    }

    // Del reaches Clear (the label takes no keys) only while the menu's last opening enabled it.
    void shortcutFollowsLastOpening()
    {
        auto *label = control(QStringLiteral("label"));
        label->setFocus();

        for (const QString &after : {kPicture, QString()}) {
            openMenu(); // nothing to clear the first time
            setState(label, kPicture);
            QTest::keyClick(label, Qt::Key_Delete);
            QCOMPARE(stateOf(label), after);
        }
    }
};

QTEST_MAIN(TestEditMenu)
#include "test_editmenu.moc"
