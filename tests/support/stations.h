#pragma once

#include "support/composedstation.h"
#include "mainwindow/mainwindow.h"
#include "support/locallan.h"
#include "wire/wire.h"

#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

// Starts a station and its window on an in-process LAN.
inline std::unique_ptr<MainWindow> startStation(LocalLan &lan, const QString &userName)
{
    auto window = composeStation(*lan.attach(), userName);
    window->start();
    return window;
}

// A control of a window by its object name; fails the test when it is missing.
template <typename T>
T *control(const QObject &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control named %s", name);
    return found;
}

// The user list's model, once what the station has heard shows in it: the
// list applies it at its next frame, and this waits for that frame.
inline const UserListModel *shownUsers(const MainWindow &station)
{
    const auto *users = static_cast<const UserListModel *>(control<QListView>(station, "ListView1")->model());
    if (!QTest::qWaitFor([users] { return !users->hasQueued(); }))
        QTest::qFail("the user list never showed what was heard", __FILE__, __LINE__);
    return users;
}

// The user list's entry that shows this text; an invalid index when none does.
inline QModelIndex userEntry(const MainWindow &station, const QString &shown)
{
    const UserListModel *users = shownUsers(station);
    const QModelIndexList found = users->match(users->index(0, 0), Qt::DisplayRole, shown, 1, Qt::MatchExactly);
    return found.isEmpty() ? QModelIndex() : found.front();
}

// The user list as "name:icon" words, in list order: "alice:1 bob:2".
inline QString userList(const MainWindow &station)
{
    const UserListModel *users = shownUsers(station);
    QStringList entries;
    for (int row = 0; row < users->rowCount(); ++row) {
        const QModelIndex entry = users->index(row, 0);
        entries << entry.data().toString() + u':' + entry.data(MainWindow::kIconRole).toString();
    }
    return entries.join(u' ');
}

// A station started and listing itself, its start-up datagrams behind it and
// forgotten by the LAN's record.
inline std::unique_ptr<MainWindow> startListed(LocalLan &lan, const QString &userName)
{
    auto station = startStation(lan, userName);
    if (!QTest::qWaitFor([&] { return userList(*station) == userName + QStringLiteral(":1"); }))
        QTest::qFail("the station never listed itself", __FILE__, __LINE__);
    lan.clearSent();
    return station;
}

// The status bar's count of connected users.
inline QString userCount(const MainWindow &station)
{
    shownUsers(station); // the count is set with the list's frame
    return control<QLabel>(station, "StatusPanel1")->text();
}

// A room log's lines joined by "|": "Text1" the Work room, "Text2" the Tea room.
inline QString logLines(const MainWindow &station, const char *log)
{
    return control<QPlainTextEdit>(station, log)->toPlainText().replace(u'\n', u'|');
}
