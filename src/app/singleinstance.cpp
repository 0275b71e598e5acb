#include "app/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

// What a later copy asks and the running one answers: a line each.
const QByteArray kShow = QByteArrayLiteral("show\n");
const QByteArray kShown = QByteArrayLiteral("shown\n");

} // namespace

SingleInstance::SingleInstance(const QString &userName, const QString &display, QObject *parent)
    : QObject(parent)
{
    // The network namespace counts too: stations in two namespaces are two
    // stations on two networks, even on one desktop.
    const QString network = QFileInfo(QStringLiteral("/proc/self/ns/net")).symLinkTarget();
    const QByteArray key = QCryptographicHash::hash((userName + u'\n' + display + u'\n' + network).toUtf8(),
                                                    QCryptographicHash::Sha256)
                               .toHex()
                               .left(32);
    // The user's own runtime folder (mode 0700): no other account can take
    // the name first and so keep this user's station from starting.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    m_path = folder + QStringLiteral("/quillet-") + QString::fromLatin1(key);
}

bool SingleInstance::handOverToRunning()
{
    QLocalSocket running;
    running.connectToServer(m_path);
    if (!running.waitForConnected(kAnswerMs))
        return false;
    running.write(kShow);
    if (!running.waitForBytesWritten(kAnswerMs))
        return false;
    while (running.bytesAvailable() < kShown.size()) {
        if (!running.waitForReadyRead(kAnswerMs))
            return false;
    }
    return running.read(kShown.size()) == kShown;
}

void SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A name left by a copy that crashed is no copy running: this one takes it.
    if (!m_server->listen(m_path)) {
        QLocalServer::removeServer(m_path);
        m_server->listen(m_path);
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::answer);
}

void SingleInstance::answer()
{
    while (QLocalSocket *later = m_server->nextPendingConnection()) {
        connect(later, &QLocalSocket::disconnected, later, &QObject::deleteLater);
        connect(later, &QLocalSocket::readyRead, this, [this, later] {
            // Only the one request is read; anything else closes the connection.
            if (later->bytesAvailable() < kShow.size())
                return;
            if (later->read(kShow.size()) == kShow) {
                emit showRequested();
                later->write(kShown);
                later->flush();
            }
            later->disconnectFromServer();
        });
    }
}
