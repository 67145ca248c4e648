#include "app/InstanceGuard.h"

#include "base/AccountName.h"
#include "base/PrivateFolder.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <cstdio>

namespace bw {

namespace {

// "BWK1": what a request starts with, so that a stray client is not taken
// for a later start.
constexpr quint32 requestMagic = 0x42574B31;
constexpr int connectMilliseconds = 1000;
constexpr auto streamVersion = QDataStream::Qt_6_4;

} // namespace

InstanceGuard::InstanceGuard(const QString& title, QObject* parent)
    : QObject(parent)
    , m_name(serverName(title))
{
}

InstanceGuard::~InstanceGuard() = default;

QString InstanceGuard::serverName(const QString& title)
{
    // The title without any leading path, as the name of a system object.
    QString name = title.mid(std::max(title.lastIndexOf(u'\\'), title.lastIndexOf(u':')) + 1).left(200);
    name.replace(u'/', u'_');
    name += u'-' + effectiveUserId();
    // A name in a folder no one else may enter: in a shared folder another
    // user could bind it first and be handed every start's log.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && isPrivateFolder(runtime))
        return QDir(runtime).filePath(name);
    const QString own = QDir(QDir::tempPath()).filePath(name + QStringLiteral(".d"));
    if (isPrivateFolder(own, true))
        return QDir(own).filePath(name);
    return QString();
}

bool InstanceGuard::anotherInstanceRuns(const QString& logPath)
{
    if (m_name.isEmpty()) {
        qWarning("brindlewick: no private folder for the single-instance guard; running without it");
        return false;
    }
    if (handOver(logPath))
        return true;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceGuard::accept);
    if (m_server->listen(m_name))
        return false;
    if (m_server->serverError() == QAbstractSocket::AddressInUseError) {
        // Another start may have begun listening since we looked; only a
        // socket that nobody answers is left over from a killed instance.
        if (handOver(logPath)) {
            delete m_server;
            m_server = nullptr;
            return true;
        }
        QLocalServer::removeServer(m_name);
        if (m_server->listen(m_name))
            return false;
    }
    qWarning("brindlewick: cannot watch for a second start (%s); running without the single-instance guard",
             qPrintable(m_server->errorString()));
    return false;
}

bool InstanceGuard::isListening() const
{
    return m_server && m_server->isListening();
}

QString InstanceGuard::fullServerName() const
{
    return m_server ? m_server->fullServerName() : QString();
}

void InstanceGuard::setReceiver(std::function<void(const QString&)> receiver)
{
    m_receiver = std::move(receiver);
    if (m_receiver && m_pending) {
        const QString logPath = *m_pending;
        m_pending.reset();
        m_receiver(logPath);
    }
}

bool InstanceGuard::handOver(const QString& logPath)
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(connectMilliseconds))
        return false;
    // Whoever listens there must be this user's own first instance.
    if (!peerIsSameUser(socket.socketDescriptor())) {
        socket.abort();
        return false;
    }
    QByteArray request;
    QDataStream out(&request, QIODevice::WriteOnly);
    out.setVersion(streamVersion);
    out << requestMagic << logPath;
    // The first instance would drop a longer request without a word.
    if (request.size() > maxRequestBytes) {
        socket.abort();
        m_refused = true;
        std::fprintf(stderr, "brindlewick: the log's path is too long to hand to the running window (%lld bytes "
                             "for at most %lld)\n",
                     static_cast<long long>(request.size()), static_cast<long long>(maxRequestBytes));
        return true;
    }
    socket.write(request);
    // The first instance has the request once it is written; a first
    // instance that hangs does not hold this start up for long.
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(connectMilliseconds)) {}
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(connectMilliseconds);
    return true;
}

void InstanceGuard::accept()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        if (!peerIsSameUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The bytes may have come with the connection.
        if (socket->bytesAvailable() > 0)
            readRequest(socket);
    }
}

void InstanceGuard::readRequest(QLocalSocket* socket)
{
    QDataStream in(socket);
    in.setVersion(streamVersion);
    in.startTransaction();
    quint32 magic = 0;
    QString logPath;
    in >> magic;
    if (in.status() == QDataStream::Ok && magic != requestMagic) {
        socket->abort();
        return;
    }
    in >> logPath;
    if (!in.commitTransaction()) {
        if (in.status() != QDataStream::ReadPastEnd || socket->bytesAvailable() > maxRequestBytes)
            socket->abort();
        return;
    }
    socket->disconnectFromServer();
    deliver(logPath);
}

void InstanceGuard::deliver(const QString& logPath)
{
    if (m_receiver)
        m_receiver(logPath);
    else
        m_pending = logPath;
}

} // namespace bw
