#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>

class FindBar;
class QAction;
class QStatusBar;
class QTabWidget;
class QTimer;
class QToolButton;
class RoomLog;

// What the user does with the shown room's log: save it as text (File >
// Save log as), clear it with a moment to take that back (Tools > Clear
// log), and find in it (Ctrl+F). Nothing is written unless the user picks a file.
class LogActions final : public QObject
{
    Q_OBJECT
public:
    // How long Undo stays in the status bar after Clear log: long enough to
    // see it and reach it, short enough that the cleared lines' memory goes
    // back soon, which is what clearing is often for.
    static constexpr int kUndoClearMs = 8000;

    // logs: each tab's log, in tab order. The status bar holds the find
    // field and the Undo button.
    LogActions(QTabWidget &rooms, std::array<RoomLog *, 2> logs, QStatusBar &statusBar);

    // Asks for a file and writes the shown log to it, as UTF-8 text.
    void saveShownLog();
    void clearShownLog();
    void undoClear();
    // Writes the log's lines, each ended by a line break; false with the
    // reason when the file could not be written.
    static bool save(RoomLog &log, const QString &fileName, QString *error);

private:
    RoomLog *shownLog() const;
    void forgetCleared();

    QTabWidget &m_rooms;
    const std::array<RoomLog *, 2> m_logs;
    FindBar *m_findBar = nullptr;
    QToolButton *m_undoClear = nullptr;
    QTimer *m_undoTimer = nullptr;
    QPointer<RoomLog> m_clearedLog;
    QString m_cleared;
};
