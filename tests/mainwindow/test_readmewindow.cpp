#include "look/translations.h"
#include "mainwindow/readmewindow.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>

using namespace Qt::StringLiterals;

// The read-me window on its own: the built-in text, and finding in it with the keys.
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
        QVERIFY(nthMatch(u"game"_s, 1) > 0); // enough matches to go back and round
    }

    void find_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keys"); // after typing: E Enter, S Shift+Enter
        QTest::addColumn<int>("match");    // which match is selected, -1 for none

        const auto count = [this](const QString &text) { return int(m_readme.count(text, Qt::CaseInsensitive)); };
        QTest::newRow("case ignored") << u"gAME"_s << QString() << 0;
        QTest::newRow("round the end") << u"game"_s << QString(count(u"game"_s), u'E') << 0;
        QTest::newRow("Shift+Enter from the first, the last") << u"game"_s << u"S"_s << count(u"game"_s) - 1;
        QTest::newRow("nowhere") << u"xyzzy plugh"_s << u"E"_s << -1;
    }

    // The window shows the sources' read-me whole, scrolling; Ctrl+F opens the
    // hidden search, and afterwards Esc puts it away, then closes the window.
    void find()
    {
        QFETCH(QString, text);
        QFETCH(QString, keys);
        QFETCH(int, match);
        QPointer<ReadmeWindow> window = new ReadmeWindow(nullptr);
        window->open();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto *field = window->findChild<QLineEdit *>(QStringLiteral("findField"));
        auto *shown = window->findChild<QPlainTextEdit *>(QStringLiteral("readmeText"));
        QCOMPARE(shown->toPlainText(), m_readme);
        QVERIFY(shown->verticalScrollBar()->maximum() > 0);
        QVERIFY(!field->isVisible());
        QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(field->hasFocus());
        QTest::keyClicks(field, text);
        for (const QChar key : keys)
            QTest::keyClick(field, Qt::Key_Return, key == u'S' ? Qt::ShiftModifier : Qt::NoModifier);

        const QTextCursor selection = shown->textCursor();
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("findStatus"))->isVisible(), match < 0);
        QCOMPARE(selection.hasSelection(), match >= 0);
        if (match >= 0) {
            QCOMPARE(selection.selectionStart(), nthMatch(text, match));
            QCOMPARE(selection.selectedText().size(), text.size());
        }

        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!field->isVisible());
        QVERIFY(shown->hasFocus());
        QTest::keyClick(shown, Qt::Key_Escape);
        QTRY_VERIFY(!window);
    }

    // The read-me comes in the windows' language where it is written in it.
    void inTheWindowsLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("file"); // beside the English source
        QTest::newRow("French") << "fr" << "Readme_fr.txt";
        QTest::newRow("German") << "de" << "Readme_de.txt";
        QTest::newRow("a language Quillet is not translated to") << "es" << "Readme.txt";
    }
    void inTheWindowsLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, file);
        look::installTranslations(QLocale(language));
        QFile source(QFileInfo(QStringLiteral(QUILLET_README)).dir().filePath(file));
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QString text = ReadmeWindow::readmeText();
        look::installTranslations(QLocale::c());
        QCOMPARE(text, QString::fromUtf8(source.readAll()));
    }
};

QTEST_MAIN(TestReadmeWindow)
#include "test_readmewindow.moc"
