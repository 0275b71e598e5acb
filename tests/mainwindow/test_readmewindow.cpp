#include "mainwindow/readmewindow.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>

// The read-me window on its own: the built-in text, and finding in it as a
// user does, with the keys.
class TestReadmeWindow final : public QObject
{
    Q_OBJECT

    QString m_readme;

    // Where the n-th match of the text starts in the read-me (case ignored), counting from 0.
    int nthMatch(const QString &text, int n) const
    {
        int at = -1;
        for (int i = 0; i <= n; ++i)
            at = m_readme.indexOf(text, at + 1, Qt::CaseInsensitive);
        return at;
    }

private slots:
    void initTestCase()
    {
        QFile source(QStringLiteral(QUILLET_README));
        QVERIFY(source.open(QIODevice::ReadOnly));
        m_readme = QString::fromUtf8(source.readAll());
    }

    // The copy built into the program is the read-me of the sources, whole.
    void showsTheBuiltInReadme()
    {
        QCOMPARE(ReadmeWindow::readmeText(), m_readme);
        ReadmeWindow window(nullptr);
        window.open();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto *text = window.findChild<QPlainTextEdit *>(QStringLiteral("readmeText"));
        QCOMPARE(text->toPlainText(), m_readme);
        // Longer than the window: it scrolls.
        QVERIFY(text->verticalScrollBar()->maximum() > 0);
        QVERIFY(!window.findChild<QLineEdit *>(QStringLiteral("findField"))->isVisible());
    }

    void find_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keys"); // after typing: E Enter, S Shift+Enter, F F3, B Shift+F3
        QTest::addColumn<int>("match");    // which match is selected, -1 for none

        const auto count = [this](const QString &text) { return int(m_readme.count(text, Qt::CaseInsensitive)); };
        QTest::newRow("as typed, the first") << QString("Game") << QString() << 0;
        QTest::newRow("case ignored") << QString("gAME") << QString() << 0;
        QTest::newRow("Enter, the next") << QString("game") << QString("E") << 1;
        QTest::newRow("F3, the next") << QString("game") << QString("FF") << 2;
        QTest::newRow("round the end") << QString("game") << QString(count("game"), 'E') << 0;
        QTest::newRow("Shift+Enter from the first, the last") << QString("game") << QString("S") << count("game") - 1;
        QTest::newRow("there and back") << QString("game") << QString("EEB") << 1;
        QTest::newRow("one of a kind") << QString("Tea room") << QString("E") << 0;
        QTest::newRow("nowhere") << QString("xyzzy plugh") << QString("E") << -1;
    }

    void find()
    {
        QFETCH(QString, text);
        QFETCH(QString, keys);
        QFETCH(int, match);
        // Enough matches to go forward, back and round.
        QVERIFY(nthMatch("game", 2) > 0);

        ReadmeWindow window(nullptr);
        window.open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *field = window.findChild<QLineEdit *>(QStringLiteral("findField"));
        const auto *shown = window.findChild<QPlainTextEdit *>(QStringLiteral("readmeText"));
        const auto *notFound = window.findChild<QLabel *>(QStringLiteral("findStatus"));

        QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(field->hasFocus());
        QTest::keyClicks(field, text);
        for (const QChar key : keys) {
            if (key == u'E')
                QTest::keyClick(field, Qt::Key_Return);
            else if (key == u'S')
                QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
            else if (key == u'F')
                QTest::keyClick(field, Qt::Key_F3);
            else
                QTest::keyClick(field, Qt::Key_F3, Qt::ShiftModifier);
        }

        const QTextCursor selection = shown->textCursor();
        if (match < 0) {
            QVERIFY(notFound->isVisible());
            QVERIFY(!selection.hasSelection());
        } else {
            QVERIFY(!notFound->isVisible());
            QCOMPARE(selection.selectionStart(), nthMatch(text, match));
            QCOMPARE(selection.selectedText().size(), text.size());
        }
    }

    // Esc puts the search away, then closes the window.
    void escape()
    {
        QPointer<ReadmeWindow> window = new ReadmeWindow(nullptr);
        window->open();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto *field = window->findChild<QLineEdit *>(QStringLiteral("findField"));
        QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(field->hasFocus());
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!field->isVisible());
        QVERIFY(window->findChild<QPlainTextEdit *>(QStringLiteral("readmeText"))->hasFocus());
        QTest::keyClick(window->findChild<QPlainTextEdit *>(QStringLiteral("readmeText")), Qt::Key_Escape);
        QTRY_VERIFY(!window);
    }
};

QTEST_MAIN(TestReadmeWindow)
#include "test_readmewindow.moc"
