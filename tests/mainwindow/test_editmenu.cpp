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
#include <QTextDocumentFragment>
#include <QVBoxLayout>

namespace {

QImage filled(Qt::GlobalColor colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

const QImage kOwnPicture = filled(Qt::red);
const QImage kClipPicture = filled(Qt::blue);

// "text:<words>", "image" or "empty".
void setClipboard(const QString &content)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (content.startsWith(QLatin1String("text:")))
        clipboard->setText(content.mid(5));
    else if (content == QLatin1String("image"))
        clipboard->setImage(kClipPicture);
}

// What a picture looks like to the test: "none", "own" or "clip".
QString describe(const QImage &image)
{
    if (image.isNull())
        return QStringLiteral("none");
    return image.pixelColor(0, 0) == QColor(Qt::red) ? QStringLiteral("own") : QStringLiteral("clip");
}

QString clipboardContent()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (data && data->hasImage())
        return describe(QGuiApplication::clipboard()->image());
    if (data && data->hasText())
        return QStringLiteral("text:") + data->text();
    return QStringLiteral("empty");
}

QImage pictureOf(QWidget *control)
{
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->pixmap().toImage();
    auto *button = qobject_cast<QPushButton *>(control);
    return button->icon().isNull() ? QImage() : button->icon().pixmap(8, 8).toImage();
}

} // namespace

class TestEditMenu : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void enabledOnOpening_data();
    void enabledOnOpening();
    void textCommands_data();
    void textCommands();
    void pictureCommands_data();
    void pictureCommands();
    void everythingEnabledUntilFirstOpened();
    void shortcutFollowsLastOpening();
    void shortcutStaysInItsWindow();

private:
    // The focusable controls of a main window, by the name the tables use.
    QWidget *control(const QString &kind);
    void selectText(QWidget *control, int start, int length);
    QString selectedText(QWidget *control);
    QString enabledItems() const;
    void openMenu();

    QMainWindow *m_window = nullptr;
    EditMenu *m_edit = nullptr;
    QLineEdit *m_line = nullptr;
    QPlainTextEdit *m_log = nullptr;
    QComboBox *m_combo = nullptr;
    QLabel *m_label = nullptr;
    QPushButton *m_button = nullptr;
    QListWidget *m_list = nullptr;
};

void TestEditMenu::init()
{
    m_window = new QMainWindow;
    auto *central = new QWidget(m_window);
    auto *layout = new QVBoxLayout(central);
    m_line = new QLineEdit(central);
    m_log = new QPlainTextEdit(central);
    m_log->setReadOnly(true);
    m_combo = new QComboBox(central);
    m_combo->addItems({QStringLiteral("Available"), QStringLiteral("Not Available")});
    m_label = new QLabel(central);
    m_label->setFocusPolicy(Qt::StrongFocus);
    m_button = new QPushButton(central);
    m_list = new QListWidget(central);
    for (QWidget *w : {static_cast<QWidget *>(m_line), static_cast<QWidget *>(m_log),
                       static_cast<QWidget *>(m_combo), static_cast<QWidget *>(m_label),
                       static_cast<QWidget *>(m_button), static_cast<QWidget *>(m_list)})
        layout->addWidget(w);
    m_window->setCentralWidget(central);
    m_edit = new EditMenu(m_window);
    m_window->menuBar()->addMenu(m_edit->mnuEdit);
}

void TestEditMenu::cleanup()
{
    delete m_window;
    QGuiApplication::clipboard()->clear();
}

QWidget *TestEditMenu::control(const QString &kind)
{
    if (kind == QLatin1String("line"))
        return m_line;
    if (kind == QLatin1String("log"))
        return m_log;
    if (kind == QLatin1String("combo"))
        return m_combo;
    if (kind == QLatin1String("label"))
        return m_label;
    if (kind == QLatin1String("button"))
        return m_button;
    if (kind == QLatin1String("list"))
        return m_list;
    return nullptr;
}

// Gives a text control its text, or a picture control its picture ("picture").
void prepare(QWidget *control, const QString &content)
{
    if (auto *line = qobject_cast<QLineEdit *>(control))
        line->setText(content);
    else if (auto *log = qobject_cast<QPlainTextEdit *>(control))
        log->setPlainText(content);
    else if (auto *combo = qobject_cast<QComboBox *>(control))
        combo->setCurrentText(content);
    else if (auto *label = qobject_cast<QLabel *>(control))
        label->setPixmap(content.isEmpty() ? QPixmap() : QPixmap::fromImage(kOwnPicture));
    else if (auto *button = qobject_cast<QPushButton *>(control))
        button->setIcon(content.isEmpty() ? QIcon() : QIcon(QPixmap::fromImage(kOwnPicture)));
}

void TestEditMenu::selectText(QWidget *control, int start, int length)
{
    if (auto *line = qobject_cast<QLineEdit *>(control)) {
        line->setSelection(start, length);
    } else if (auto *log = qobject_cast<QPlainTextEdit *>(control)) {
        QTextCursor cursor = log->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        log->setTextCursor(cursor);
    }
}

QString textOf(QWidget *control)
{
    if (auto *line = qobject_cast<QLineEdit *>(control))
        return line->text();
    if (auto *log = qobject_cast<QPlainTextEdit *>(control))
        return log->toPlainText();
    return qobject_cast<QComboBox *>(control)->currentText();
}

QString TestEditMenu::selectedText(QWidget *control)
{
    if (auto *line = qobject_cast<QLineEdit *>(control))
        return line->selectedText();
    if (auto *log = qobject_cast<QPlainTextEdit *>(control))
        return log->textCursor().selection().toPlainText();
    return qobject_cast<QComboBox *>(control)->currentText();
}

QString TestEditMenu::enabledItems() const
{
    QString enabled;
    for (int index : {2, 3, 4, 6, 7})
        if (m_edit->mnuEditItem(index)->isEnabled())
            enabled += QString::number(index);
    return enabled;
}

void TestEditMenu::openMenu()
{
    m_edit->mnuEdit->popup(m_window->mapToGlobal(QPoint(10, 10)));
    m_edit->mnuEdit->hide();
}

void TestEditMenu::enabledOnOpening_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("enabled"); // item indexes

    QTest::newRow("line, part selected, text on clipboard") << "line" << "hello world" << 0 << 5 << "text:x" << "23467";
    QTest::newRow("line, part selected, image on clipboard") << "line" << "hello world" << 6 << 5 << "image" << "2367";
    QTest::newRow("line, nothing selected") << "line" << "hello world" << 3 << 0 << "empty" << "7";
    QTest::newRow("empty line, text on clipboard") << "line" << "" << 0 << 0 << "text:x" << "4";
    QTest::newRow("empty line, image on clipboard") << "line" << "" << 0 << 0 << "image" << "";
    QTest::newRow("read-only log, line selected") << "log" << "alice: hi\nbob: yo" << 0 << 9 << "text:x" << "23467";
    QTest::newRow("drop-down list selects its entry") << "combo" << "Available" << 0 << 0 << "empty" << "2367";
    QTest::newRow("label without picture, image on clipboard") << "label" << "" << 0 << 0 << "image" << "4";
    QTest::newRow("label without picture, text on clipboard") << "label" << "" << 0 << 0 << "text:x" << "";
    QTest::newRow("label with picture, empty clipboard") << "label" << "picture" << 0 << 0 << "empty" << "236";
    QTest::newRow("button with icon, image on clipboard") << "button" << "picture" << 0 << 0 << "image" << "2346";
    QTest::newRow("list is neither kind") << "list" << "" << 0 << 0 << "text:x" << "";
    QTest::newRow("no focused control") << "none" << "" << 0 << 0 << "text:x" << "";
}

void TestEditMenu::enabledOnOpening()
{
    QFETCH(QString, kind);
    QFETCH(QString, content);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, clipboard);
    QFETCH(QString, enabled);

    QWidget *focused = control(kind);
    prepare(focused, content);
    selectText(focused, selStart, selLength);
    setClipboard(clipboard);

    m_edit->mnuEdit_Click(focused);
    QCOMPARE(enabledItems(), enabled);
}

void TestEditMenu::textCommands_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("contentAfter");
    QTest::addColumn<QString>("selectedAfter");
    QTest::addColumn<QString>("clipboardAfter");

    QTest::newRow("cut from line") << "line" << "hello world" << 0 << 6 << "text:old" << 2
                                   << "world" << "" << "text:hello ";
    QTest::newRow("copy from line") << "line" << "hello world" << 0 << 6 << "image" << 3
                                    << "hello world" << "hello " << "text:hello ";
    QTest::newRow("paste over selection") << "line" << "hello world" << 0 << 6 << "text:bye " << 4
                                          << "bye world" << "" << "text:bye ";
    QTest::newRow("paste with only an image on clipboard") << "line" << "hello world" << 0 << 6 << "image" << 4
                                                            << "hello world" << "hello " << "clip";
    QTest::newRow("clear selection") << "line" << "hello world" << 5 << 6 << "text:old" << 6
                                     << "hello" << "" << "text:old";
    QTest::newRow("clear without selection deletes nothing") << "line" << "hello world" << 3 << 0 << "text:old" << 6
                                                              << "hello world" << "" << "text:old";
    QTest::newRow("copy without selection keeps clipboard") << "line" << "hello world" << 3 << 0 << "text:old" << 3
                                                             << "hello world" << "" << "text:old";
    QTest::newRow("select all in line") << "line" << "hello world" << 3 << 0 << "empty" << 7
                                        << "hello world" << "hello world" << "empty";
    QTest::newRow("separator does nothing") << "line" << "hello world" << 0 << 6 << "text:old" << 5
                                            << "hello world" << "hello " << "text:old";
    QTest::newRow("unknown index does nothing") << "line" << "hello world" << 0 << 6 << "text:old" << 9
                                                << "hello world" << "hello " << "text:old";
    QTest::newRow("copy lines from log") << "log" << "alice: hi\nbob: yo" << 0 << 17 << "empty" << 3
                                         << "alice: hi\nbob: yo" << "alice: hi\nbob: yo" << "text:alice: hi\nbob: yo";
    QTest::newRow("cut from read-only log only copies") << "log" << "alice: hi\nbob: yo" << 10 << 7 << "empty" << 2
                                                        << "alice: hi\nbob: yo" << "bob: yo" << "text:bob: yo";
    QTest::newRow("paste into read-only log refused") << "log" << "alice: hi" << 0 << 5 << "text:mallory" << 4
                                                      << "alice: hi" << "alice" << "text:mallory";
    QTest::newRow("select all in log") << "log" << "alice: hi\nbob: yo" << 0 << 0 << "empty" << 7
                                       << "alice: hi\nbob: yo" << "alice: hi\nbob: yo" << "empty";
    QTest::newRow("copy from drop-down list") << "combo" << "Not Available" << 0 << 0 << "empty" << 3
                                              << "Not Available" << "Not Available" << "text:Not Available";
    QTest::newRow("paste into drop-down list refused") << "combo" << "Available" << 0 << 0 << "text:Busy" << 4
                                                       << "Available" << "Available" << "text:Busy";
    QTest::newRow("list ignores every command") << "list" << "" << 0 << 0 << "text:old" << 2
                                                << "" << "" << "text:old";
}

void TestEditMenu::textCommands()
{
    QFETCH(QString, kind);
    QFETCH(QString, content);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, clipboard);
    QFETCH(int, index);
    QFETCH(QString, contentAfter);
    QFETCH(QString, selectedAfter);
    QFETCH(QString, clipboardAfter);

    QWidget *focused = control(kind);
    prepare(focused, content);
    selectText(focused, selStart, selLength);
    setClipboard(clipboard);

    m_edit->mnuEditItem_Click(index, focused);

    QCOMPARE(clipboardContent(), clipboardAfter);
    if (focused == m_list)
        return;
    QCOMPARE(textOf(focused), contentAfter);
    QCOMPARE(selectedText(focused), selectedAfter);
}

void TestEditMenu::pictureCommands_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("picture"); // "own" or "none"
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("pictureAfter");
    QTest::addColumn<QString>("clipboardAfter");

    QTest::newRow("cut label picture") << "label" << "own" << "text:x" << 2 << "none" << "own";
    QTest::newRow("copy label picture") << "label" << "own" << "text:x" << 3 << "own" << "own";
    QTest::newRow("paste image into empty label") << "label" << "none" << "image" << 4 << "clip" << "clip";
    QTest::newRow("paste text into label keeps picture") << "label" << "own" << "text:x" << 4 << "own" << "text:x";
    QTest::newRow("clear label") << "label" << "own" << "text:x" << 6 << "none" << "text:x";
    QTest::newRow("cut from empty label keeps clipboard") << "label" << "none" << "image" << 2 << "none" << "clip";
    QTest::newRow("select all does nothing") << "label" << "own" << "text:x" << 7 << "own" << "text:x";
    QTest::newRow("copy button icon") << "button" << "own" << "empty" << 3 << "own" << "own";
    QTest::newRow("paste image onto button") << "button" << "own" << "image" << 4 << "clip" << "clip";
}

void TestEditMenu::pictureCommands()
{
    QFETCH(QString, kind);
    QFETCH(QString, picture);
    QFETCH(QString, clipboard);
    QFETCH(int, index);
    QFETCH(QString, pictureAfter);
    QFETCH(QString, clipboardAfter);

    QWidget *focused = control(kind);
    prepare(focused, picture == QLatin1String("own") ? QStringLiteral("picture") : QString());
    setClipboard(clipboard);

    m_edit->mnuEditItem_Click(index, focused);

    QCOMPARE(describe(pictureOf(focused)), pictureAfter);
    QCOMPARE(clipboardContent(), clipboardAfter);
}

void TestEditMenu::everythingEnabledUntilFirstOpened()
{
    QCOMPARE(enabledItems(), QStringLiteral("23467"));
    m_edit->mnuEdit_Click(m_list);
    QCOMPARE(enabledItems(), QString());
}

// The label takes no keys of its own, so Del reaches the menu's Clear.
void TestEditMenu::shortcutFollowsLastOpening()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_label->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), m_label);

    prepare(m_label, QStringLiteral("picture"));
    QTest::keyClick(m_label, Qt::Key_Delete);
    QCOMPARE(describe(pictureOf(m_label)), QStringLiteral("none"));

    openMenu(); // nothing to clear now
    prepare(m_label, QStringLiteral("picture"));
    QTest::keyClick(m_label, Qt::Key_Delete);
    QCOMPARE(describe(pictureOf(m_label)), QStringLiteral("own"));

    openMenu();
    QTest::keyClick(m_label, Qt::Key_Delete);
    QCOMPARE(describe(pictureOf(m_label)), QStringLiteral("none"));
}

void TestEditMenu::shortcutStaysInItsWindow()
{
    m_window->show();
    QWidget other;
    auto *label = new QLabel(&other);
    label->setFocusPolicy(Qt::StrongFocus);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    label->setFocus();

    QSignalSpy cleared(m_edit->mnuEditItem(EditMenu::kClear), &QAction::triggered);
    QSignalSpy selected(m_edit->mnuEditItem(EditMenu::kSelectAll), &QAction::triggered);
    QTest::keyClick(label, Qt::Key_Delete);
    QTest::keyClick(label, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(cleared.count(), 0);
    QCOMPARE(selected.count(), 0);

    // The same key in the main window does reach the menu.
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_label->setFocus();
    QTest::keyClick(m_label, Qt::Key_Delete);
    QCOMPARE(cleared.count(), 1);
}

QTEST_MAIN(TestEditMenu)
#include "test_editmenu.moc"
