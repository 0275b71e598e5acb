#pragma once

#include "form1.h"
#include "locallan.h"
#include "wire.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <memory>

// Starts a station on an in-process LAN under the given user name, as a real
// start-up does: the name comes from the environment.
inline std::unique_ptr<Form1> startStation(LocalLan &lan, const QString &userName)
{
    qputenv("USERNAME", userName.toUtf8());
    auto station = std::make_unique<Form1>(*lan.attach());
    station->Form_Load();
    return station;
}

// How often the LAN has carried exactly this message so far.
inline int timesSent(const LocalLan &lan, const QString &message)
{
    return int(lan.sent().count(wire::encode(message)));
}

// The user list as "name:icon" words, in list order: "alice:1 bob:2".
inline QString userList(const Form1 &station)
{
    QStringList entries;
    for (int row = 0; row < station.ListView1->count(); ++row) {
        const QListWidgetItem *entry = station.ListView1->item(row);
        entries << entry->text() + ':' + entry->data(Form1::kIconRole).toString();
    }
    return entries.join(' ');
}

// A room log's lines joined by "|".
inline QString logLines(const QPlainTextEdit *log)
{
    return log->toPlainText().replace('\n', '|');
}
