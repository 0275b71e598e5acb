#include "mainwindow/logactions.h"

#include "look/names.h"
#include "mainwindow/findbar.h"
#include "mainwindow/roomlog.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QSaveFile>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

LogActions::LogActions(QTabWidget &rooms, std::array<RoomLog *, 2> logs, QStatusBar &statusBar)
    : QObject(&rooms)
    , m_rooms(rooms)
    , m_logs(logs)
{
    // Lines still queued for the next frame are found too.
    const auto searched = [this]() -> QPlainTextEdit * {
        RoomLog *log = shownLog();
        if (log)
            log->flush();
        return log;
    };
    m_findBar = new FindBar(searched, tr("Find in the room log"), &statusBar);
    statusBar.addWidget(m_findBar, 1);
    m_undoClear = look::named(new QToolButton(&statusBar), "undoClearLog");
    m_undoClear->setText(tr("Undo Clear log"));
    m_undoClear->setAutoRaise(true);
    m_undoClear->hide();
    statusBar.addWidget(m_undoClear);
    connect(m_undoClear, &QToolButton::clicked, this, &LogActions::undoClear);
    m_undoTimer = look::named(new QTimer(this), "undoClearTimer");
    m_undoTimer->setSingleShot(true);
    m_undoTimer->setInterval(kUndoClearMs);
    connect(m_undoTimer, &QTimer::timeout, this, &LogActions::forgetCleared);
    // The find field searches the log shown, whichever it is.
    connect(&m_rooms, &QTabWidget::currentChanged, m_findBar, [this] { m_findBar->putAway(); });
}

RoomLog *LogActions::shownLog() const
{
    const int tab = m_rooms.currentIndex();
    return tab >= 0 && tab < int(m_logs.size()) ? m_logs[std::size_t(tab)] : nullptr;
}

void LogActions::saveShownLog()
{
    const QPointer<RoomLog> log = shownLog();
    if (!log)
        return;
    const QString suggested = tr("%1 %2.txt").arg(m_rooms.tabText(m_rooms.currentIndex()),
                                                  QDate::currentDate().toString(Qt::ISODate));
    // Not exec(): a modal loop here would hold up every datagram behind it.
    auto *dialog = new QFileDialog(m_rooms.window(), tr("Save log as"), QDir::home().filePath(suggested),
                                   tr("Text files (*.txt);;All files (*)"));
    dialog->setObjectName(QStringLiteral("saveLogDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("txt"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, [this, log](const QString &fileName) {
        QString error;
        if (log && !save(*log, fileName, &error)) {
            auto *box = new QMessageBox(QMessageBox::Warning, tr("Save log as"),
                                        tr("The log could not be saved in %1: %2").arg(fileName, error),
                                        QMessageBox::Ok, m_rooms.window());
            box->setTextFormat(Qt::PlainText);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->open();
        }
    });
    dialog->open();
}

bool LogActions::save(RoomLog &log, const QString &fileName, QString *error)
{
    QString text = log.text();
    if (!text.isEmpty())
        text += u'\n';
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

void LogActions::clearShownLog()
{
    RoomLog *log = shownLog();
    if (!log)
        return;
    m_cleared = log->text();
    m_clearedLog = log;
    log->clearLog();
    m_undoClear->setVisible(!m_cleared.isEmpty());
    m_undoTimer->start();
}

void LogActions::undoClear()
{
    if (m_clearedLog)
        m_clearedLog->putBack(m_cleared);
    forgetCleared();
}

void LogActions::forgetCleared()
{
    m_undoTimer->stop();
    m_undoClear->hide();
    m_cleared = QString();
    m_clearedLog = nullptr;
}
