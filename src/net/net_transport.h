#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "net/protocol_decoder.h"
#include "net/protocol_message.h"

class QTcpServer;
class QTcpSocket;

namespace velmora {

using NetConnectionId = quint64;

// What the sockets report, all on the GUI thread. The peer's messages and its departure are
// handed over one at a time in the order they arrived: a handler that waits in a nested event
// loop (a move animation) gets the next one only after it has returned, so handlers must not
// wait on anything the player has to close. A field request alone may overtake a handler
// that waits: its answer cannot depend on a message that changes no board.
class NetTransportEvents {
  public:
    virtual ~NetTransportEvents() = default;

    // Calling side: the call connected, failed, or the connection closed.
    virtual void ClientConnected() = 0;
    virtual void ClientError() = 0;
    virtual void ClientGone() = 0;
    // Answering side: a connection was accepted. The handler may take it as the peer or turn
    // it away; one it leaves alone waits for its call request (and is dropped without a word
    // if that does not come within the grace time, or if it closes first).
    virtual void ServerClientConnected(NetConnectionId id) = 0;
    // Answering side: a waiting connection sent its call request. The handler takes it as the
    // peer, and the request is then delivered as its first message, or turns it away.
    virtual void ServerCallRequest(NetConnectionId id) = 0;
    // Answering side: the peer connection closed.
    virtual void ServerPeerGone() = 0;
    // A message the peer connection's role acts on.
    virtual void PeerMessage(const NetMessage& message) = 0;
};

// The listening socket, the calling socket and the connections they make, on Qt's
// non-blocking sockets. Of the accepted connections one at most is the peer; the others
// either still owe their call request or were sent the busy reply and are only waited for
// to leave (what they send is dropped, and one that lingers is closed after a while). Every
// connected socket has TCP keep-alive on, so a dead link ends like a closed one; a call
// that does not connect within the connect timeout fails like a refused one. Whatever a peer sends,
// memory stays bounded: each socket buffers kNetReadBufferBytes, the decoder keeps little, the
// queue of undelivered messages stops reading when full, and replies to a peer that does not read
// are dropped.
class NetTransport : public QObject {
    Q_OBJECT

  public:
    // Busy connections waited for at once; later ones are closed without a word.
    static constexpr int kMaxTurnedAway = 32;
    static constexpr int kTurnAwayGraceMs = 10000;
    // Connections still owing their call request, and how long each may take to send it.
    static constexpr int kMaxWaiting = 32;
    static constexpr int kCallRequestGraceMs = 15000;
    // How long a call may take to connect.
    static constexpr int kConnectTimeoutMs = 15000;
    // A socket being closed gets this long to deliver what is still unsent.
    static constexpr int kCloseGraceMs = 5000;
    static constexpr std::size_t kMaxQueuedEvents = 1024;
    static constexpr qint64 kMaxUnsentBytes = 256 * 1024;

    explicit NetTransport(NetTransportEvents& events, QObject* parent = nullptr);
    ~NetTransport() override;

    // The port of both sockets; nothing when it could not be worked out (opening then fails).
    void SetPort(std::optional<int> port) { port_ = port; }
    // Where the listening socket listens (every interface, IPv4 and IPv6, unless told
    // otherwise).
    void SetListenAddress(const QHostAddress& address) { listenAddress_ = address; }
    // Tests shorten the waits.
    void SetTimeouts(int callRequestGraceMs, int connectTimeoutMs) {
        callRequestGraceMs_ = callRequestGraceMs;
        connectTimeoutMs_ = connectTimeoutMs;
    }

    bool OpenServer();
    // Stops listening and drops every accepted connection, the peer's too.
    void CloseServer();
    bool ServerActive() const;
    // The port actually listened on (useful with port 0).
    int ServerPort() const;

    // Starts calling host (a name, an IPv4 or an IPv6 address, the latter possibly in
    // brackets); false when the call cannot even start. A previous call is dropped.
    bool OpenClient(const QString& host);
    // Closes the calling socket, whatever its state.
    void CloseClient();

    void TakeAsPeer(NetConnectionId id);
    // Sends the busy reply and waits for the connection to leave.
    void TurnAway(NetConnectionId id);
    int TurnedAwayCount() const;
    // Accepted connections still owing their call request.
    int WaitingCount() const;

    // Sends to the peer connection; false when there is none or it does not read.
    bool Send(const NetMessage& message);
    bool HasPeer() const { return peerId_ != 0; }
    // The peer's remote host name (empty when unknown) and dotted address.
    QString PeerHostName() const;
    QString PeerAddress() const;
    // The board size a field message is read with.
    void SetBoardSize(int size);
    // The peer's socket, for reading its options back.
    qintptr PeerSocketDescriptor() const;

  private:
    struct Connection {
        NetConnectionId id = 0;
        QTcpSocket* socket = nullptr;
        NetMessageDecoder decoder;
        bool turnedAway = false;
        bool waiting = false;    // accepted, call request not yet sent
        bool connected = false;  // a call only once it has connected
        bool closing = false;    // its close is queued
    };
    struct Event {
        NetConnectionId id = 0;
        std::optional<NetMessage> message;  // empty: the connection closed
    };

    Connection* Find(NetConnectionId id);
    const Connection* Peer() const;
    Connection& Add(QTcpSocket* socket, NetRole role);
    void Watch(Connection& connection);
    void AcceptPending();
    void ReadFrom(NetConnectionId id);
    // Decodes what one read of the connection brings into the queue.
    void Queue(Connection& connection);
    void Enqueue(NetConnectionId id, std::vector<NetMessage> messages);
    // A waiting connection's bytes: dropped up to its call request.
    void ReadWaiting(Connection& connection);
    bool BoardChangeAhead() const;
    void Connected(Connection& connection);
    void Closed(NetConnectionId id);
    void Drain();
    void Deliver(const Event& event);
    // Forgets a connection and closes its socket gracefully, unheard.
    void Drop(NetConnectionId id);

    NetTransportEvents& events_;
    std::optional<int> port_;
    QHostAddress listenAddress_ = QHostAddress::Any;
    int callRequestGraceMs_ = kCallRequestGraceMs;
    int connectTimeoutMs_ = kConnectTimeoutMs;
    QTcpServer* server_ = nullptr;
    std::map<NetConnectionId, std::unique_ptr<Connection>> connections_;
    NetConnectionId clientId_ = 0;
    NetConnectionId peerId_ = 0;
    NetConnectionId nextId_ = 1;
    int boardSize_ = 8;
    std::deque<Event> queue_;
    bool draining_ = false;
    // The message being handed over changes the board (a move, a restart, a start).
    bool deliveringBoardChange_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace velmora
