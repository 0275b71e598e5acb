#include "mainwindow/roomlog.h"

#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>

using namespace Qt::StringLiterals;

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

    // At its bottom, a log follows new lines, on the shown tab and the hidden one.
    void followsAtTheBottom()
    {
        m_log.reset();
        QTabWidget rooms;
        auto *work = new RoomLog;
        auto *tea = new RoomLog;
        rooms.addTab(work, u"Work room"_s);
        rooms.addTab(tea, u"Tea room"_s);
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
        QTest::newRow("CR LF forging a second line") << u"hi\r\n[bob,10:00:00]> I am bob"_s
                                                     << u"hi"_s + mark + u"[bob,10:00:00]> I am bob"_s;
        for (const auto &[name, ch] : {std::pair("LF", u'\n'), {"CR", u'\r'}, {"vertical tab", u'\v'}, {"form feed", u'\f'},
                                       {"next line", u'\u0085'}, {"line separator", u'\u2028'},
                                       {"paragraph separator", u'\u2029'}})
            QTest::addRow("%s", name) << u"a"_s + QString(QChar(ch)) + u"b"_s << u"a"_s + mark + u"b"_s;
        QTest::newRow("LF CR is two breaks") << u"a\n\rb"_s << u"a"_s + mark + mark + u"b"_s;
        QTest::newRow("break at both ends") << u"\nab\r"_s << mark + u"ab"_s + mark;
        QTest::newRow("plain line untouched") << u"<b>bold</b> & tabs\there"_s << u"<b>bold</b> & tabs\there"_s;
    }

    void lineBreaksStayInTheLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        m_log->appendLine(u"before"_s);
        m_log->appendLine(line);
        m_log->appendLine(u"after"_s);
        QTRY_COMPARE(m_log->document()->blockCount(), 3);
        QCOMPARE(shown(*m_log), (QStringList{u"before"_s, expected, u"after"_s}));
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
        QCOMPARE(m_log->document()->firstBlock().text(), u"line 6"_s);
        QCOMPARE(m_log->document()->findBlockByNumber(1).text(), u"line 7"_s);

        m_log->appendLine(u"queued when cleared"_s);
        m_log->clearLog();
        QVERIFY(m_log->toPlainText().isEmpty());
        m_log->appendLine(u"after the clear"_s);
        QTRY_COMPARE(shown(*m_log), QStringList{u"after the clear"_s});
    }

private:
    std::unique_ptr<RoomLog> m_log;
};

QTEST_MAIN(TestRoomLog)
#include "test_roomlog.moc"
