#include "net/net_transport.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <string_view>

#include "net/net_keep_alive.h"
#include "net/protocol_encoder.h"

namespace velmora {

namespace {

QByteArray Bytes(const NetMessage& message) {
    const std::string bytes = EncodeMessage(message);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool ChangesBoard(const NetMessage& message) {
    const char letter = LetterOf(message);
    return letter == 'M' || letter == 'R' || letter == 'G' || letter == 'Y';
}

}  // namespace

NetTransport::NetTransport(NetTransportEvents& events, QObject* parent)
    : QObject(parent), events_(events), server_(new QTcpServer(this)) {
    connect(server_, &QTcpServer::newConnection, this, [this] { AcceptPending(); });
}

NetTransport::~NetTransport() {
    *alive_ = false;
    server_->disconnect(this);
    for (auto& [id, connection] : connections_) {
        connection->socket->disconnect(this);
        connection->socket->abort();
    }
}

NetTransport::Connection* NetTransport::Find(NetConnectionId id) {
    const auto it = connections_.find(id);
    return it == connections_.end() ? nullptr : it->second.get();
}

const NetTransport::Connection* NetTransport::Peer() const {
    const auto it = connections_.find(peerId_);
    return it == connections_.end() ? nullptr : it->second.get();
}

NetTransport::Connection& NetTransport::Add(QTcpSocket* socket, NetRole role) {
    const NetConnectionId id = nextId_++;
    auto connection = std::unique_ptr<Connection>(
        new Connection{id, socket, NetMessageDecoder(role, boardSize_)});
    socket->setParent(this);
    // A flood then waits in the kernel rather than in our memory.
    socket->setReadBufferSize(static_cast<qint64>(NetMessageDecoder::kNetReadBufferBytes));
    Connection& added = *connection;
    connections_.emplace(id, std::move(connection));
    Watch(added);
    return added;
}

void NetTransport::Watch(Connection& connection) {
    const NetConnectionId id = connection.id;
    connect(connection.socket, &QTcpSocket::readyRead, this, [this, id] { ReadFrom(id); });
    connect(connection.socket, &QTcpSocket::disconnected, this, [this, id] { Closed(id); });
    // A dead link (keep-alive or unacknowledged data timing out) may end in an error alone.
    connect(connection.socket, &QAbstractSocket::errorOccurred, this,
            [this, id](QAbstractSocket::SocketError error) {
                const Connection* failed = Find(id);
                if (failed != nullptr && failed->connected &&
                    error != QAbstractSocket::TemporaryError) {
                    Closed(id);
                }
            });
}

void NetTransport::Connected(Connection& connection) {
    connection.connected = true;
    connection.socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    EnableKeepAlive(connection.socket->socketDescriptor());
}

// --- Listening ---

bool NetTransport::OpenServer() {
    if (server_->isListening()) {
        return true;
    }
    if (!port_) {
        return false;
    }
    const auto port = static_cast<quint16>(*port_);
    if (server_->listen(listenAddress_, port)) {
        return true;
    }
    // A machine without IPv6 still takes IPv4 callers.
    return listenAddress_ == QHostAddress::Any && server_->listen(QHostAddress::AnyIPv4, port);
}

void NetTransport::CloseServer() {
    server_->close();
    std::vector<NetConnectionId> accepted;
    for (const auto& [id, connection] : connections_) {
        if (id != clientId_) {
            accepted.push_back(id);
        }
    }
    for (const NetConnectionId id : accepted) {
        if (id == peerId_) {
            peerId_ = 0;
        }
        Drop(id);
    }
}

bool NetTransport::ServerActive() const {
    return server_->isListening();
}

int NetTransport::ServerPort() const {
    return server_->isListening() ? server_->serverPort() : 0;
}

void NetTransport::AcceptPending() {
    const std::shared_ptr<bool> alive = alive_;
    while (server_->hasPendingConnections()) {
        QTcpSocket* socket = server_->nextPendingConnection();
        if (socket == nullptr) {
            break;
        }
        Connection& added = Add(socket, NetRole::Answerer);
        Connected(added);
        const NetConnectionId id = added.id;
        events_.ServerClientConnected(id);
        if (!*alive) {
            return;
        }
        Connection* connection = Find(id);
        if (connection == nullptr || connection->turnedAway || peerId_ == id) {
            continue;
        }
        // Left alone: it has a while to send its call request, unless too many wait already.
        if (WaitingCount() >= kMaxWaiting) {
            Drop(id);
            continue;
        }
        connection->waiting = true;
        QTimer::singleShot(callRequestGraceMs_, this, [this, id] {
            if (const Connection* silent = Find(id); silent && silent->waiting) {
                Drop(id);
            }
        });
        if (socket->bytesAvailable() > 0) {
            ReadWaiting(*connection);
        }
    }
}

int NetTransport::WaitingCount() const {
    int count = 0;
    for (const auto& [id, connection] : connections_) {
        count += connection->waiting ? 1 : 0;
    }
    return count;
}

void NetTransport::ReadWaiting(Connection& connection) {
    const NetConnectionId id = connection.id;
    const QByteArray data =
        connection.socket->read(static_cast<qint64>(NetMessageDecoder::kNetReadBufferBytes));
    std::vector<NetMessage> messages =
        connection.decoder.Feed(std::string_view(data.constData(), data.size()));
    const auto request = std::find_if(messages.begin(), messages.end(), [](const NetMessage& m) {
        return std::holds_alternative<NetCallRequest>(m);
    });
    if (request == messages.end()) {
        return;
    }
    messages.erase(messages.begin(), request);
    connection.waiting = false;
    const std::shared_ptr<bool> alive = alive_;
    events_.ServerCallRequest(id);
    if (!*alive) {
        return;
    }
    if (peerId_ != id) {
        if (const Connection* left = Find(id); left != nullptr && !left->turnedAway) {
            Drop(id);
        }
        return;
    }
    Enqueue(id, std::move(messages));
    Drain();
}

void NetTransport::TakeAsPeer(NetConnectionId id) {
    Connection* connection = Find(id);
    if (connection == nullptr || connection->turnedAway) {
        return;
    }
    // A peer that refused a call may still hang on; the new one replaces it.
    if (peerId_ != 0 && peerId_ != id && peerId_ != clientId_) {
        Drop(peerId_);
    }
    peerId_ = id;
    connection->waiting = false;
    connection->decoder.SetBoardSize(boardSize_);
}

void NetTransport::TurnAway(NetConnectionId id) {
    Connection* connection = Find(id);
    if (connection == nullptr || id == peerId_) {
        return;
    }
    if (TurnedAwayCount() >= kMaxTurnedAway) {
        Drop(id);
        return;
    }
    connection->turnedAway = true;
    connection->waiting = false;
    connection->socket->write(Bytes(NetMessage(std::in_place_type<NetBusy>)));
    connection->socket->flush();
    QTimer::singleShot(kTurnAwayGraceMs, this, [this, id] {
        if (const Connection* lingering = Find(id); lingering && lingering->turnedAway) {
            Drop(id);
        }
    });
}

int NetTransport::TurnedAwayCount() const {
    int count = 0;
    for (const auto& [id, connection] : connections_) {
        count += connection->turnedAway ? 1 : 0;
    }
    return count;
}

// --- Calling ---

bool NetTransport::OpenClient(const QString& host) {
    CloseClient();
    QString name = host.trimmed();
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']'))) {
        name = name.mid(1, name.size() - 2);
    }
    if (!port_ || *port_ <= 0 || name.isEmpty()) {
        return false;
    }
    auto* socket = new QTcpSocket(this);
    const NetConnectionId id = Add(socket, NetRole::Caller).id;
    clientId_ = id;
    connect(socket, &QTcpSocket::connected, this, [this, id, socket] {
        if (id != clientId_) {
            return;
        }
        if (peerId_ != 0 && peerId_ != id) {
            Drop(peerId_);
        }
        peerId_ = id;
        if (Connection* connection = Find(id)) {
            Connected(*connection);
        }
        events_.ClientConnected();
    });
    // Queued: a failure found inside connectToHost must not run inside the Call command.
    connect(
        socket, &QAbstractSocket::errorOccurred, this,
        [this, id](QAbstractSocket::SocketError) {
            const Connection* call = Find(id);
            if (id == clientId_ && call != nullptr && !call->connected) {
                CloseClient();
                events_.ClientError();
            }
        },
        Qt::QueuedConnection);
    // A host that swallows the call would otherwise keep it going for minutes.
    QTimer::singleShot(connectTimeoutMs_, socket, [this, id] {
        const Connection* call = Find(id);
        if (id == clientId_ && call != nullptr && !call->connected) {
            CloseClient();
            events_.ClientError();
        }
    });
    socket->connectToHost(name, static_cast<quint16>(*port_), QIODevice::ReadWrite,
                          QAbstractSocket::AnyIPProtocol);
    return true;
}

void NetTransport::CloseClient() {
    if (clientId_ == 0) {
        return;
    }
    if (peerId_ == clientId_) {
        peerId_ = 0;
    }
    const NetConnectionId id = clientId_;
    clientId_ = 0;
    Drop(id);
}

// --- Traffic ---

void NetTransport::ReadFrom(NetConnectionId id) {
    Connection* connection = Find(id);
    if (connection == nullptr) {
        return;
    }
    if (connection->waiting) {
        ReadWaiting(*connection);
        return;
    }
    if (id != peerId_) {
        connection->socket->readAll();
        return;
    }
    if (queue_.size() >= kMaxQueuedEvents) {
        return;  // picked up again once the queue has drained
    }
    Queue(*connection);
    Drain();
}

void NetTransport::Queue(Connection& connection) {
    const QByteArray data =
        connection.socket->read(static_cast<qint64>(NetMessageDecoder::kNetReadBufferBytes));
    if (data.isEmpty()) {
        return;
    }
    Enqueue(connection.id,
            connection.decoder.Feed(std::string_view(data.constData(), data.size())));
}

void NetTransport::Enqueue(NetConnectionId id, std::vector<NetMessage> messages) {
    for (NetMessage& message : messages) {
        // While a handler waits, a field request is answered at once unless a message that
        // changes the board is ahead of it: the answer is then the same as in turn.
        if (draining_ && std::holds_alternative<NetFieldRequest>(message) && id == peerId_ &&
            !BoardChangeAhead()) {
            events_.PeerMessage(message);
            continue;
        }
        Event& event = queue_.emplace_back();
        event.id = id;
        event.message.emplace(std::move(message));
    }
}

bool NetTransport::BoardChangeAhead() const {
    return deliveringBoardChange_ ||
           std::any_of(queue_.begin(), queue_.end(), [](const Event& event) {
               return event.message && ChangesBoard(*event.message);
           });
}

void NetTransport::Closed(NetConnectionId id) {
    Connection* connection = Find(id);
    if (connection == nullptr) {
        return;
    }
    if (connection->closing) {
        return;
    }
    // One that leaves before asking for a game was never anyone's opponent.
    while (connection->waiting && connection->socket->bytesAvailable() > 0) {
        ReadWaiting(*connection);
        connection = Find(id);
        if (connection == nullptr) {
            return;
        }
    }
    if (connection->turnedAway || connection->waiting) {
        Drop(id);
        return;
    }
    connection->closing = true;
    // What the peer sent before leaving comes first (a read signal that came while a handler
    // waited inside the previous one was not repeated).
    while (id == peerId_ && connection->socket->bytesAvailable() > 0 &&
           queue_.size() < kMaxQueuedEvents) {
        Queue(*connection);
    }
    queue_.emplace_back().id = id;
    Drain();
}

void NetTransport::Drain() {
    if (draining_) {
        return;
    }
    draining_ = true;
    const std::shared_ptr<bool> alive = alive_;
    for (;;) {
        while (!queue_.empty()) {
            const Event event = std::move(queue_.front());
            queue_.pop_front();
            Deliver(event);
            if (!*alive) {
                return;
            }
        }
        // Bytes left unread while the queue was full.
        Connection* peer = Find(peerId_);
        if (peer == nullptr || peer->socket->bytesAvailable() == 0) {
            break;
        }
        Queue(*peer);
    }
    draining_ = false;
}

void NetTransport::Deliver(const Event& event) {
    if (event.message) {
        if (event.id == peerId_) {
            const std::shared_ptr<bool> alive = alive_;
            deliveringBoardChange_ = ChangesBoard(*event.message);
            events_.PeerMessage(*event.message);
            if (*alive) {
                deliveringBoardChange_ = false;
            }
        }
        return;
    }
    if (event.id == clientId_) {
        clientId_ = 0;
        if (peerId_ == event.id) {
            peerId_ = 0;
        }
        Drop(event.id);
        events_.ClientGone();
    } else if (event.id == peerId_) {
        peerId_ = 0;
        Drop(event.id);
        events_.ServerPeerGone();
    }
}

bool NetTransport::Send(const NetMessage& message) {
    const Connection* peer = Peer();
    if (peer == nullptr || peer->socket->state() != QAbstractSocket::ConnectedState ||
        peer->socket->bytesToWrite() > kMaxUnsentBytes) {
        return false;
    }
    peer->socket->write(Bytes(message));
    peer->socket->flush();
    return true;
}

void NetTransport::Drop(NetConnectionId id) {
    const auto it = connections_.find(id);
    if (it == connections_.end()) {
        return;
    }
    QTcpSocket* socket = it->second->socket;
    connections_.erase(it);
    socket->disconnect(this);
    if (socket->state() != QAbstractSocket::ConnectedState) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kCloseGraceMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    socket->disconnectFromHost();
}

// --- Peer details ---

QString NetTransport::PeerHostName() const {
    const Connection* peer = Peer();
    return peer == nullptr ? QString() : peer->socket->peerName();
}

QString NetTransport::PeerAddress() const {
    const Connection* peer = Peer();
    if (peer == nullptr) {
        return {};
    }
    const QHostAddress address = peer->socket->peerAddress();
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return isV4 ? QHostAddress(v4).toString() : address.toString();
}

qintptr NetTransport::PeerSocketDescriptor() const {
    const Connection* peer = Peer();
    return peer == nullptr ? -1 : peer->socket->socketDescriptor();
}

void NetTransport::SetBoardSize(int size) {
    boardSize_ = size;
    for (auto& [id, connection] : connections_) {
        connection->decoder.SetBoardSize(size);
    }
}

}  // namespace velmora
