#pragma once

#include <QPlainTextEdit>
#include <QStringList>
#include <QTimer>

// A room's log: received lines, oldest first, read-only. Lines that arrive
// together are appended together, at most once a frame, so a busy room costs
// one repaint per frame instead of one per line.
class RoomLog final : public QPlainTextEdit
{
    Q_OBJECT
public:
    // How long a line may wait for the lines that follow it. About two frames
    // at 60 Hz: nobody reads faster, and a chat line that shows 30 ms late
    // is not late.
    static constexpr int kFlushMs = 30;

    // The most lines a log keeps; beyond it the oldest go. A busy room sees a
    // few thousand lines on a long day, so no reader ever loses one, while a
    // flood of chat lines cannot fill the memory: a line costs about 0.5 KiB,
    // 1 KiB at the longest a station sends, so a full log holds 50-100 MiB.
    static constexpr int kMaxLines = 100000;

    // Shown in place of a line break inside a received line: a line shows as
    // one line, so it cannot pass itself off as two.
    static constexpr char16_t kBreakMark = u'\u21b5';

    explicit RoomLog(QWidget *parent = nullptr);

    // Queues a received line; it shows within kFlushMs.
    void appendLine(const QString &line);
    // Shows the queued lines now, without waiting for the timer.
    void flush();
    // Empties the log, queued lines included, and gives its memory back.
    void clearLog();
    // Puts earlier lines, as text() gave them, back before the lines shown.
    void putBack(const QString &earlier);
    // Every line, queued ones included, one per line.
    QString text();

    // The line as the log shows it: every line break replaced by the mark.
    static QString oneLine(QString line);

private:
    QStringList m_queued;
    QTimer m_flushTimer;
};
