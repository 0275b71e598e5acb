#include "mainwindow/roomlog.h"

#include <QScrollBar>
#include <QTextCursor>

#include <algorithm>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// Every character the text layout starts a new line or paragraph at.
bool breaksLine(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
    case u'\v':
    case u'\f':
    case 0x0085: // next line
    case 0x2028: // line separator
    case 0x2029: // paragraph separator
    case 0xfdd0: // where the text document begins and ends a frame
    case 0xfdd1:
        return true;
    default:
        return false;
    }
}

} // namespace

RoomLog::RoomLog(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setMaximumBlockCount(kMaxLines);
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(kFlushMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &RoomLog::flush);
}

QString RoomLog::oneLine(QString line)
{
    if (std::none_of(line.cbegin(), line.cend(), breaksLine))
        return line;
    line.replace(QStringLiteral("\r\n"), QString(QChar(kBreakMark)));
    std::replace_if(line.begin(), line.end(), breaksLine, QChar(kBreakMark));
    return line;
}

void RoomLog::appendLine(const QString &line)
{
    m_queued << oneLine(line);
    // Started by the first line of a batch only, so a steady stream still
    // shows every kFlushMs.
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void RoomLog::flush()
{
    if (m_queued.isEmpty())
        return;
    // A reader at the bottom follows the new lines; one who scrolled up to
    // read stays there. Decided here rather than by QPlainTextEdit, which
    // never follows while the log's tab is hidden.
    QScrollBar *bar = verticalScrollBar();
    const bool following = bar->value() == bar->maximum();
    // One block of lines: one layout pass and one repaint for the batch. A
    // separate cursor adds them, so the reader's selection stays as it was.
    appendPlainText(m_queued.join(u'\n'));
    m_queued.clear();
    if (following)
        bar->setValue(bar->maximum());
}

void RoomLog::clearLog()
{
    m_flushTimer.stop();
    m_queued = QStringList();
    clear();
#ifdef __GLIBC__
    // A long log leaves the heap full of small free blocks that the C library
    // keeps for later; Clear log is when the user wants the memory back.
    malloc_trim(0);
#endif
}

void RoomLog::putBack(const QString &earlier)
{
    if (earlier.isEmpty())
        return;
    flush();
    QTextCursor start(document());
    start.insertText(document()->isEmpty() ? earlier : earlier + u'\n');
}

QString RoomLog::text()
{
    flush();
    return toPlainText();
}
