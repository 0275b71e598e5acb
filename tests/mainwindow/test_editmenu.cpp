#include "editmenu.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// Text states are written with the selection in brackets, "[hello ]world", or
// the cursor as a bar, "hel|lo"; pictures as "own", "clip" or "none".
namespace {

QImage filled(Qt::GlobalColor colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QString describe(const QImage &image)
{
    if (image.isNull())
        return QStringLiteral("none");
    return image.pixelColor(0, 0) == QColor(Qt::red) ? QStringLiteral("own") : QStringLiteral("clip");
}

QString marked(QString text, int start, int length, int cursor)
{
    if (length == 0)
        return text.insert(cursor, QLatin1Char('|'));
    return text.insert(start + length, QLatin1Char(']')).insert(start, QLatin1Char('['));
}

// "text:<words>", "image" or "empty".
void setClipboard(const QString &content)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (content.startsWith(QLatin1String("text:")))
        clipboard->setText(content.mid(5));
    else if (content == QLatin1String("image"))
        clipboard->setImage(filled(Qt::blue));
}

QString clipboardContent()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (data && data->hasImage())
        return describe(QGuiApplication::clipboard()->image());
    return data && data->hasText() ? QStringLiteral("text:") + data->text() : QStringLiteral("empty");
}

void setState(QWidget *control, const QString &state)
{
    const QPixmap own = state == QLatin1String("own") ? QPixmap::fromImage(filled(Qt::red)) : QPixmap();
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->setPixmap(own);
    if (auto *button = qobject_cast<QPushButton *>(control))
        return button->setIcon(own.isNull() ? QIcon() : QIcon(own));
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->setCurrentText(state);
    QString text = state;
    const int start = qMax(text.indexOf(QLatin1Char('[')), text.indexOf(QLatin1Char('|')));
    const int end = text.indexOf(QLatin1Char(']'));
    text.remove(QLatin1Char('[')).remove(QLatin1Char(']')).remove(QLatin1Char('|'));
    const int length = end < 0 ? 0 : end - start - 1;
    if (auto *line = qobject_cast<QLineEdit *>(control)) {
        line->setText(text);
        line->setSelection(start, length);
    } else if (auto *log = qobject_cast<QPlainTextEdit *>(control)) {
        log->setPlainText(text);
        QTextCursor cursor = log->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        log->setTextCursor(cursor);
    }
}

QString stateOf(QWidget *control)
{
    if (auto *label = qobject_cast<QLabel *>(control))
        return describe(label->pixmap().toImage());
    if (auto *button = qobject_cast<QPushButton *>(control))
        return describe(button->icon().pixmap(8, 8).toImage());
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->currentText();
    if (auto *line = qobject_cast<QLineEdit *>(control))
        return marked(line->text(), line->selectionStart(), line->selectedText().size(), line->cursorPosition());
    if (auto *log = qobject_cast<QPlainTextEdit *>(control)) {
        const QTextCursor c = log->textCursor();
        return marked(log->toPlainText(), c.selectionStart(), c.selectionEnd() - c.selectionStart(), c.position());
    }
    return {};
}

} // namespace

class TestEditMenu : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { delete m_window; }
    void commands_data();
    void commands();
    void shortcutFollowsLastOpening();
    void openedFromKeyboard();

private:
    QString enabledItems() const;
    QWidget *control(const QString &name) const { return m_window->findChild<QWidget *>(name); }

    QMainWindow *m_window = nullptr;
    EditMenu *m_edit = nullptr;
};

void TestEditMenu::init()
{
    m_window = new QMainWindow;
    auto *central = new QWidget(m_window);
    m_window->setCentralWidget(central);
    auto *log = new QPlainTextEdit(central);
    log->setReadOnly(true);
    auto *combo = new QComboBox(central);
    combo->addItems({QStringLiteral("Available"), QStringLiteral("Not Available")});
    auto *label = new QLabel(central);
    label->setFocusPolicy(Qt::StrongFocus);
    const QList<QWidget *> controls{new QLineEdit(central), log, combo, label, new QPushButton(central),
                                    new QListWidget(central)};
    const QStringList names{"line", "log", "combo", "label", "button", "list"};
    for (int i = 0; i < controls.size(); ++i)
        controls[i]->setObjectName(names[i]);
    m_edit = new EditMenu(m_window);
    m_window->menuBar()->addMenu(m_edit->mnuEdit);
}

QString TestEditMenu::enabledItems() const
{
    QString enabled;
    for (int index : {2, 3, 4, 6, 7})
        if (m_edit->mnuEditItem(index)->isEnabled())
            enabled += QString::number(index);
    return enabled;
}

void TestEditMenu::commands_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("enabled"); // item indexes enabled on opening the menu
    QTest::addColumn<int>("index");       // the item then run
    QTest::addColumn<QString>("stateAfter");
    QTest::addColumn<QString>("clipboardAfter");

    QTest::newRow("cut from line") << "line" << "[hello ]world" << "text:old" << "23467" << 2 << "|world" << "text:hello ";
    QTest::newRow("copy from line") << "line" << "[hello ]world" << "image" << "2367" << 3 << "[hello ]world" << "text:hello ";
    QTest::newRow("paste over selection") << "line" << "[hello ]world" << "text:bye " << "23467" << 4 << "bye |world" << "text:bye ";
    QTest::newRow("paste with only an image") << "line" << "[hello ]world" << "image" << "2367" << 4 << "[hello ]world" << "clip";
    QTest::newRow("clear selection") << "line" << "hello[ world]" << "empty" << "2367" << 6 << "hello|" << "empty";
    QTest::newRow("clear without selection") << "line" << "hel|lo" << "empty" << "7" << 6 << "hel|lo" << "empty";
    QTest::newRow("copy nothing keeps clipboard") << "line" << "hel|lo" << "text:old" << "47" << 3 << "hel|lo" << "text:old";
    QTest::newRow("select all in line") << "line" << "hel|lo" << "empty" << "7" << 7 << "[hello]" << "empty";
    QTest::newRow("paste into empty line") << "line" << "|" << "text:hi" << "4" << 4 << "hi|" << "text:hi";
    QTest::newRow("unknown index does nothing") << "line" << "[hello]" << "empty" << "2367" << 9 << "[hello]" << "empty";
    QTest::newRow("copy lines from log") << "log" << "[a: hi\nb: yo]" << "empty" << "2367" << 3 << "[a: hi\nb: yo]" << "text:a: hi\nb: yo";
    QTest::newRow("cut from read-only log copies") << "log" << "a: hi\n[b: yo]" << "empty" << "2367" << 2 << "a: hi\n[b: yo]" << "text:b: yo";
    QTest::newRow("paste into read-only log refused") << "log" << "[a]: hi" << "text:m" << "23467" << 4 << "[a]: hi" << "text:m";
    QTest::newRow("copy from drop-down list") << "combo" << "Not Available" << "empty" << "2367" << 3 << "Not Available" << "text:Not Available";
    QTest::newRow("paste into drop-down list refused") << "combo" << "Available" << "text:Busy" << "23467" << 4 << "Available" << "text:Busy";
    QTest::newRow("cut label picture") << "label" << "own" << "text:x" << "236" << 2 << "none" << "own";
    QTest::newRow("paste image into empty label") << "label" << "none" << "image" << "4" << 4 << "clip" << "clip";
    QTest::newRow("paste text into label refused") << "label" << "own" << "text:x" << "236" << 4 << "own" << "text:x";
    QTest::newRow("clear label") << "label" << "own" << "text:x" << "236" << 6 << "none" << "text:x";
    QTest::newRow("cut empty label keeps clipboard") << "label" << "none" << "image" << "4" << 2 << "none" << "clip";
    QTest::newRow("copy button icon") << "button" << "own" << "image" << "2346" << 3 << "own" << "own";
    QTest::newRow("list is neither kind") << "list" << "" << "text:old" << "" << 2 << "" << "text:old";
    QTest::newRow("no focused control") << "none" << "" << "text:old" << "" << 4 << "" << "text:old";
}

void TestEditMenu::commands()
{
    QFETCH(QString, name);
    QFETCH(QString, state);
    QFETCH(QString, clipboard);
    QFETCH(QString, enabled);
    QFETCH(int, index);
    QFETCH(QString, stateAfter);
    QFETCH(QString, clipboardAfter);

    QCOMPARE(enabledItems(), QStringLiteral("23467")); // until first opened
    setState(control(name), state);
    setClipboard(clipboard);
    m_edit->mnuEdit_Click(control(name));
    QCOMPARE(enabledItems(), enabled);

    m_edit->mnuEditItem_Click(index, control(name));
    QCOMPARE(stateOf(control(name)), stateAfter);
    QCOMPARE(clipboardContent(), clipboardAfter);
}

// The label takes no keys of its own, so Del reaches the menu's Clear, and
// only while the last opening of the menu enabled it.
void TestEditMenu::shortcutFollowsLastOpening()
{
    auto *label = control(QStringLiteral("label"));
    const auto openMenu = [this] {
        m_edit->mnuEdit->popup(m_window->mapToGlobal(QPoint(10, 10)));
        m_edit->mnuEdit->hide();
    };
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    label->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), label);

    setState(label, QStringLiteral("own"));
    QTest::keyClick(label, Qt::Key_Delete);
    QCOMPARE(stateOf(label), QStringLiteral("none"));

    openMenu(); // nothing to clear now
    setState(label, QStringLiteral("own"));
    QTest::keyClick(label, Qt::Key_Delete);
    QCOMPARE(stateOf(label), QStringLiteral("own"));

    openMenu();
    QTest::keyClick(label, Qt::Key_Delete);
    QCOMPARE(stateOf(label), QStringLiteral("none"));

    // Another window keeps its keys.
    QWidget other;
    auto *otherLabel = new QLabel(&other);
    otherLabel->setFocusPolicy(Qt::StrongFocus);
    other.show();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    otherLabel->setFocus();
    QSignalSpy cleared(m_edit->mnuEditItem(EditMenu::kClear), &QAction::triggered);
    QTest::keyClick(otherLabel, Qt::Key_Delete);
    QCOMPARE(cleared.count(), 0);
}

// Alt, then E, walks the menu bar, which takes the focus meanwhile; the items
// must still follow the control the user was in.
void TestEditMenu::openedFromKeyboard()
{
    auto *line = control(QStringLiteral("line"));
    setState(line, QStringLiteral("hel|lo"));
    setClipboard(QStringLiteral("text:x"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    line->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), line);
    QSignalSpy opened(m_edit->mnuEdit, &QMenu::aboutToShow);
    QTest::keyClick(m_window, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_E);
    QTRY_COMPARE(opened.count(), 1);
    QCOMPARE(enabledItems(), QStringLiteral("47"));
    m_edit->mnuEdit->hide();
}

QTEST_MAIN(TestEditMenu)
#include "test_editmenu.moc"
