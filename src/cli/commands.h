#pragma once

#include "cli/commandline.h"

#include <QByteArray>
#include <QObject>

class DatagramLink;
class QHostAddress;
class QIODevice;

namespace cli {

// Runs what the command line asked for, other than the window, and gives the
// exit status. Needs a QCoreApplication for the commands that listen.
int run(const Invocation &invocation);

// say and message: the one datagram, sent as userName through a station that
// announces nothing. Gives the exit status; on bad input, says why in error
// and sends nothing.
int sendOne(DatagramLink &link, const Invocation &invocation, const QString &userName, QString &error);

// listen: writes a line for every datagram the link hears, flushed at once
// so a pipe sees each as it comes.
class DatagramPrinter final : public QObject
{
    Q_OBJECT
public:
    DatagramPrinter(DatagramLink &link, QIODevice &out, bool json, QObject *parent = nullptr);

private:
    void print(const QByteArray &datagram, const QHostAddress &sender);

    QIODevice &m_out;
    bool m_json;
};

} // namespace cli
