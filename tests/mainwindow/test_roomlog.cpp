#include "mainwindow/roomlog.h"

#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>

namespace {

// Appends "line from" to "line to", and returns them.
QStringList appendNumbered(RoomLog &log, int from, int to)
{
    QStringList lines;
    for (int n = from; n <= to; ++n)
        log.appendLine(lines.emplace_back(QStringLiteral("line %1").arg(n)));
    return lines;
}

QStringList shown(const RoomLog &log)
{
    const QString text = log.toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

// The process's private resident memory, in MiB; -1 where the system does not say.
double privateMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
    const qsizetype at = text.indexOf("\nRssAnon:");
    const QByteArray kib = text.mid(at + 10, text.indexOf('\n', at + 1) - at - 10).trimmed().split(' ').front();
    return at < 0 ? -1 : kib.toDouble() / 1024;
}

} // namespace

// A room log: lines shown in batches, in order, bounded, one line each.
class TestRoomLog final : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_log = std::make_unique<RoomLog>();
        m_log->resize(480, 225); // a room log's size
        m_log->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_log.get()));
    }

    void burstShowsInOrderInOneAppend()
    {
        QSignalSpy changes(m_log->document(), &QTextDocument::contentsChange);
        const QStringList lines = appendNumbered(*m_log, 1, 50);
        QVERIFY(m_log->toPlainText().isEmpty()); // held for the flush
        QTRY_COMPARE(shown(*m_log), lines);
        QCOMPARE(changes.count(), 1);
    }

    void readerKeepsSelectionAndPlace()
    {
        appendNumbered(*m_log, 1, 200);
        QTRY_COMPARE(m_log->document()->blockCount(), 200);
        QScrollBar *bar = m_log->verticalScrollBar();
        QVERIFY(bar->maximum() > 10);

        // The reader selects "line 12" and reads on while lines keep coming.
        QTextCursor cursor(m_log->document()->findBlockByNumber(11));
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        m_log->setTextCursor(cursor);
        bar->setValue(10);
        const int maximumBefore = bar->maximum();

        appendNumbered(*m_log, 201, 230);
        QTRY_COMPARE(m_log->document()->blockCount(), 230);
        QCOMPARE(m_log->textCursor().selectedText(), QString("line 12"));
        QCOMPARE(bar->value(), 10);
        QVERIFY(bar->maximum() > maximumBefore);
    }

    // At its bottom, a log follows new lines, on the shown tab and the hidden one.
    void followsAtTheBottom()
    {
        m_log.reset();
        QTabWidget rooms;
        auto *work = new RoomLog;
        auto *tea = new RoomLog;
        rooms.addTab(work, "Work room");
        rooms.addTab(tea, "Tea room");
        rooms.resize(500, 270);
        rooms.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rooms));
        for (int batch = 0; batch < 3; ++batch) {
            for (RoomLog *log : {work, tea}) {
                appendNumbered(*log, batch * 100 + 1, batch * 100 + 100);
                QTRY_COMPARE(log->document()->blockCount(), batch * 100 + 100);
                QVERIFY(log->verticalScrollBar()->maximum() > 0);
                QCOMPARE(log->verticalScrollBar()->value(), log->verticalScrollBar()->maximum());
            }
        }
        // Shown at last, the hidden log has its last line at the bottom.
        rooms.setCurrentWidget(tea);
        QTRY_VERIFY(tea->isVisible());
        QVERIFY(tea->cursorForPosition(QPoint(5, tea->viewport()->height() - 8)).block() == tea->document()->lastBlock());
    }

    void lineBreaksStayInTheLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        const QString mark(QChar(RoomLog::kBreakMark));
        QTest::newRow("CR LF forging a second line") << QString("hi\r\n[bob,10:00:00]> I am bob")
                                                     << "hi" + mark + "[bob,10:00:00]> I am bob";
        for (const auto &[name, ch] : {std::pair("LF", u'\n'), {"CR", u'\r'}, {"vertical tab", u'\v'}, {"form feed", u'\f'},
                                       {"next line", u'\u0085'}, {"line separator", u'\u2028'},
                                       {"paragraph separator", u'\u2029'}})
            QTest::addRow("%s", name) << "a" + QString(QChar(ch)) + "b" << "a" + mark + "b";
        QTest::newRow("LF CR is two breaks") << QString("a\n\rb") << "a" + mark + mark + "b";
        QTest::newRow("break at both ends") << QString("\nab\r") << mark + "ab" + mark;
        QTest::newRow("plain line untouched") << QString("<b>bold</b> & tabs\there") << QString("<b>bold</b> & tabs\there");
    }

    void lineBreaksStayInTheLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        m_log->appendLine("before");
        m_log->appendLine(line);
        m_log->appendLine("after");
        QTRY_COMPARE(m_log->document()->blockCount(), 3);
        QCOMPARE(shown(*m_log), (QStringList{"before", expected, "after"}));
        // Shown on one line, however wide: no break of any kind inside it.
        QCOMPARE(m_log->document()->findBlockByNumber(1).layout()->lineCount(), 1);
    }

    // The newest lines up to the bound; a clear drops the queued ones too.
    void keepsTheNewestLinesUpToTheBoundUntilCleared()
    {
        appendNumbered(*m_log, 1, 10);
        QTRY_COMPARE(m_log->document()->blockCount(), 10);
        appendNumbered(*m_log, 11, RoomLog::kMaxLines + 5);
        QTRY_COMPARE(m_log->document()->lastBlock().text(), QStringLiteral("line %1").arg(RoomLog::kMaxLines + 5));
        QCOMPARE(m_log->document()->blockCount(), RoomLog::kMaxLines);
        QCOMPARE(m_log->document()->firstBlock().text(), QString("line 6"));
        QCOMPARE(m_log->document()->findBlockByNumber(1).text(), QString("line 7"));

        m_log->appendLine("queued when cleared");
        m_log->clearLog();
        QVERIFY(m_log->toPlainText().isEmpty());
        m_log->appendLine("after the clear");
        QTRY_COMPARE(shown(*m_log), QStringList{"after the clear"});
    }

    void clearGivesTheMemoryBack()
    {
    #ifndef __GLIBC__
        QSKIP("returning freed memory is asked of the GNU C library only");
    #endif
        const double before = privateMiB();
        if (before < 0)
            QSKIP("no /proc/self/status here");
        // Lines as long as a station sends, in batches as they arrive.
        const QString text(400, u'x');
        for (int n = 0; n < 40000; ++n) {
            m_log->appendLine(QStringLiteral("[bob,10:00:00]> %1 ").arg(n) + text);
            if (n % 1000 == 999)
                m_log->flush();
        }
        m_log->flush();
        const double full = privateMiB();
        QVERIFY2(full > before + 20, qPrintable(QString("%1 MiB before, %2 full").arg(before).arg(full)));
        m_log->clearLog();
        const double cleared = privateMiB();
        QVERIFY2(cleared < before + 5, qPrintable(QString("%1 MiB before, %2 after the clear").arg(before).arg(cleared)));
    }

private:
    std::unique_ptr<RoomLog> m_log;
};

QTEST_MAIN(TestRoomLog)
#include "test_roomlog.moc"
