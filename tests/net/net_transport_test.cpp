#include <gtest/gtest.h>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <memory>
#include <string>
#include <vector>

#include <QHostAddress>
#include <QTcpServer>

#include "net/net_transport.h"
#include "net/protocol_message.h"
#include "net_test_support.h"

namespace velmora {
namespace {

using net_test::EnsureApplication;
using net_test::Pump;
using net_test::PumpUntil;
using net_test::RawPeer;

// Records what the transport reports; takes the first connection as the peer at once and
// turns the others away, as the connection logic does.
struct RecordingEvents : NetTransportEvents {
    NetTransport* transport = nullptr;
    std::vector<NetMessage> messages;
    int clientConnected = 0, clientErrors = 0, clientGone = 0, peerGone = 0, accepted = 0;
    int depth = 0, deepest = 0;
    // Called inside PeerMessage, for handlers that wait in a nested loop.
    std::function<void(const NetMessage&)> onMessage;

    void ClientConnected() override { ++clientConnected; }
    void ClientError() override { ++clientErrors; }
    void ClientGone() override { ++clientGone; }
    void ServerClientConnected(NetConnectionId id) override {
        ++accepted;
        ServerCallRequest(id);
    }
    void ServerCallRequest(NetConnectionId id) override {
        transport->HasPeer() ? transport->TurnAway(id) : transport->TakeAsPeer(id);
    }
    void ServerPeerGone() override { ++peerGone; }
    void PeerMessage(const NetMessage& message) override {
        deepest = std::max(deepest, ++depth);
        messages.push_back(message);
        if (onMessage) {
            onMessage(message);
        }
        --depth;
    }
    std::string Letters() const {
        std::string letters;
        for (const NetMessage& message : messages) {
            letters += LetterOf(message);
        }
        return letters;
    }
};

// A listening transport on the loopback address with a free port.
struct Answerer {
    explicit Answerer(const QHostAddress& address = QHostAddress::LocalHost) {
        EnsureApplication();
        transport = std::make_unique<NetTransport>(events);
        events.transport = transport.get();
        transport->SetListenAddress(address);
        transport->SetPort(0);
        EXPECT_TRUE(transport->OpenServer());
    }
    int Port() const { return transport->ServerPort(); }
    // A raw caller taken as the peer.
    std::unique_ptr<RawPeer> ConnectPeer() {
        const int before = events.accepted;
        auto peer = std::make_unique<RawPeer>(Port());
        EXPECT_TRUE(peer->WaitConnected());
        EXPECT_TRUE(PumpUntil([&] { return events.accepted > before; }));
        return peer;
    }

    RecordingEvents events;
    std::unique_ptr<NetTransport> transport;
};

TEST(NetTransportTest, AWaitingHandlerHoldsBackEverythingButAFieldRequest) {
    Answerer answerer;
    auto peer = answerer.ConnectPeer();
    bool firstSeen = false;
    answerer.events.onMessage = [&](const NetMessage&) {
        if (firstSeen) {
            return;
        }
        firstSeen = true;
        // As a handler waiting in a nested loop: the peer's next messages and its leaving
        // arrive meanwhile; only the field request is handled at once.
        peer->Write("FR");
        peer->socket.disconnectFromHost();
        Pump(60);
        EXPECT_EQ(answerer.events.Letters(), "TF");
        EXPECT_EQ(answerer.events.peerGone, 0) << "the departure waits its turn";
    };
    peer->Write("Thello");
    ASSERT_TRUE(PumpUntil([&] { return answerer.events.peerGone == 1; }));
    EXPECT_EQ(answerer.events.Letters(), "TFR");
    EXPECT_EQ(answerer.events.deepest, 2) << "the request was handled inside the text's handler";
    EXPECT_FALSE(answerer.transport->HasPeer());
}

TEST(NetTransportTest, RepliesToAPeerThatDoesNotReadAreDropped) {
    Answerer answerer;
    auto peer = answerer.ConnectPeer();
    peer->socket.setReadBufferSize(1);
    Pump(20);
    const NetMessage field = NetField{std::string(64, '+')};
    int sent = 0;
    while (sent < 200000 && answerer.transport->Send(field)) {
        ++sent;
        if (sent % 2000 == 0) {
            Pump(1);
        }
    }
    EXPECT_LT(sent, 200000) << "the transport stops queueing for a peer that does not read";
    EXPECT_GT(sent, 100);
}

TEST(NetTransportTest, CallingConnectsFailsAndEnds) {
    EnsureApplication();
    Answerer answerer;
    RecordingEvents callerEvents;
    NetTransport caller(callerEvents);
    callerEvents.transport = &caller;

    caller.SetPort(answerer.Port());
    EXPECT_FALSE(caller.OpenClient(QStringLiteral("  ")));
    ASSERT_TRUE(caller.OpenClient(QStringLiteral("127.0.0.1")));
    ASSERT_TRUE(PumpUntil([&] { return callerEvents.clientConnected == 1; }));
    ASSERT_TRUE(PumpUntil([&] { return answerer.events.accepted == 1; }));
    EXPECT_TRUE(caller.HasPeer());
    EXPECT_EQ(caller.PeerAddress(), QStringLiteral("127.0.0.1"));

    // Both ends probe a silent link: after 20 s, every 5 s, given up after 4 probes, and
    // unacknowledged data is given up after 40 s, so a dead peer is noticed within 40 s.
    for (const qintptr fd :
         {caller.PeerSocketDescriptor(), answerer.transport->PeerSocketDescriptor()}) {
        ASSERT_GE(fd, 0);
        const auto option = [fd](int level, int name) {
            int value = -1;
            socklen_t length = sizeof value;
            EXPECT_EQ(getsockopt(static_cast<int>(fd), level, name, &value, &length), 0);
            return value;
        };
        EXPECT_EQ(option(SOL_SOCKET, SO_KEEPALIVE), 1);
        EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPIDLE), 20);
        EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPINTVL), 5);
        EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPCNT), 4);
        EXPECT_EQ(option(IPPROTO_TCP, TCP_USER_TIMEOUT), 40000);
    }

    // The calling side acts on "Y", not on "B" or "G".
    ASSERT_TRUE(caller.Send(NetCallRequest{Black, 10, "ME"}));
    ASSERT_TRUE(PumpUntil([&] { return answerer.events.messages.size() == 1; }));
    EXPECT_EQ(std::get<NetCallRequest>(answerer.events.messages[0]).boardSize, 10);
    answerer.transport->Send(NetMessage(std::in_place_type<NetGo>));
    answerer.transport->Send(NetMessage(std::in_place_type<NetAccept>));
    ASSERT_TRUE(PumpUntil([&] { return callerEvents.messages.size() == 1; }));
    EXPECT_EQ(callerEvents.Letters(), "Y");

    answerer.transport->CloseServer();
    ASSERT_TRUE(PumpUntil([&] { return callerEvents.clientGone == 1; }));
    EXPECT_FALSE(caller.HasPeer());
    EXPECT_EQ(answerer.events.peerGone, 0) << "closing it ourselves is no departure";

    // Nobody listens there any more.
    ASSERT_TRUE(caller.OpenClient(QStringLiteral("127.0.0.1")));
    ASSERT_TRUE(PumpUntil([&] { return callerEvents.clientErrors >= 1; }));
    EXPECT_EQ(callerEvents.clientConnected, 1);

    // A service name the system does not know gives no port.
    caller.SetPort(std::nullopt);
    EXPECT_FALSE(caller.OpenClient(QStringLiteral("127.0.0.1")));
}

// The listener takes IPv4 and IPv6 callers alike; a call goes by name, IPv4 or IPv6 address.
TEST(NetTransportTest, CallsByNameAndByEitherAddressReachADualStackListener) {
    Answerer answerer(QHostAddress::Any);
    ASSERT_TRUE(answerer.transport->ServerActive());
    RecordingEvents callerEvents;
    NetTransport caller(callerEvents);
    callerEvents.transport = &caller;
    caller.SetPort(answerer.Port());
    const struct {
        const char* host;
        const char* seenFrom;
    } calls[] = {{"127.0.0.1", "127.0.0.1"},
                 {"::1", "::1"},
                 {"[::1]", "::1"},
                 {"localhost", nullptr},
                 {"LOCALHOST", nullptr}};
    // Some containers run without IPv6, loopback included: those calls cannot be made there.
    QTcpServer probe;
    const bool ipv6 = probe.listen(QHostAddress::LocalHostIPv6, 0);
    probe.close();
    int connected = 0;
    for (const auto& call : calls) {
        SCOPED_TRACE(call.host);
        if (!ipv6 && QString::fromLatin1(call.host).contains(QLatin1String("::"))) {
            continue;
        }
        ASSERT_TRUE(caller.OpenClient(QString::fromLatin1(call.host)));
        ASSERT_TRUE(PumpUntil([&] { return callerEvents.clientConnected == connected + 1; }));
        ++connected;
        ASSERT_TRUE(PumpUntil([&] { return answerer.transport->HasPeer(); }));
        if (call.seenFrom != nullptr) {
            EXPECT_EQ(answerer.transport->PeerAddress(), QString::fromLatin1(call.seenFrom));
        } else {
            EXPECT_TRUE(QHostAddress(answerer.transport->PeerAddress()).isLoopback());
        }
        caller.CloseClient();
        ASSERT_TRUE(PumpUntil([&] { return !answerer.transport->HasPeer(); }));
    }
    EXPECT_EQ(callerEvents.clientErrors, 0);
}

}  // namespace
}  // namespace velmora
