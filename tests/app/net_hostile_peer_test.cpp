#include <gtest/gtest.h>

#include <random>

#include "net/net_texts.h"
#include "net/protocol_decoder.h"
#include "net_rig.h"

namespace velmora {
namespace {

using net_test::BoardOf;
using net_test::PumpUntil;
using net_test::RawPeer;

// The window listens; a raw caller asks to play White on 8 x 8, and the window plays Black.
// Every dialog is accepted, unless hook takes it; the call requests are counted.
struct HostileRig {
    explicit HostileRig(bool call = true)
        : audio(new testing_audio::RecordingAudioBackend),
          window(std::vector<std::string>{}, net_test::NetPresets("8"),
                 std::unique_ptr<AudioBackend>(audio)) {
        window.onDialog = [this](QDialog* dialog) {
            if (!hook || !hook(dialog)) {
                callRequests += qobject_cast<TCallReq*>(dialog) != nullptr ? 1 : 0;
                dialog->done(QDialog::Accepted);
            }
        };
        port = net_test::ListenOnLoopback(*window.form);
        if (call) {
            peer = Call();
        }
    }
    // A raw caller that asks for a game and starts it.
    std::unique_ptr<RawPeer> Call() {
        auto caller = std::make_unique<RawPeer>(port);
        EXPECT_TRUE(caller->WaitConnected());
        caller->Send("BW8RAW-PEER");
        EXPECT_TRUE(PumpUntil([&] { return caller->Received() == "Y"; }));
        caller->Send("G");
        EXPECT_TRUE(PumpUntil([&] { return Session().flags.networkGame; }));
        return caller;
    }
    GameSession& Session() { return window.form->Session(); }
    QByteArray LegalMove() {
        const GamePosition& p = Session().position;
        const int square = net_test::FirstLegal(p);
        return QByteArray("M") + char('0' + ColumnOf(p.boardSize, square)) +
               char('0' + RowOf(p.boardSize, square));
    }
    // The peer plays; true once the window has played it too.
    bool PeerMoves() {
        const int moves = Session().record.Count();
        peer->Send(LegalMove());
        return PumpUntil([&] { return Session().record.Count() == moves + 1; });
    }
    // The window plays its first legal square and the peer hears it.
    void WindowMoves() {
        const int moves = Session().record.Count();
        peer->received.clear();
        net_test::ClickSquare(*window.form, net_test::FirstLegal(Session().position));
        ASSERT_EQ(Session().record.Count(), moves + 1);
        ASSERT_TRUE(PumpUntil([&] { return peer->Received().contains('M'); }));
        peer->received.clear();
    }
    // The window still answers events and its game is where it was.
    void ExpectUnchanged(const std::string& board, int moves) {
        bool ticked = false;
        QTimer::singleShot(0, [&] { ticked = true; });
        EXPECT_TRUE(PumpUntil([&] { return ticked; }, 2000));
        EXPECT_EQ(BoardOf(*window.form), board);
        EXPECT_EQ(Session().record.Count(), moves);
        EXPECT_TRUE(Session().flags.networkGame);
    }
    QByteArray FieldReceived() {
        EXPECT_TRUE(PumpUntil([&] { return peer->Received().size() >= 65; }));
        return peer->Received();
    }

    std::function<bool(QDialog*)> hook;
    int callRequests = 0;
    testing_audio::RecordingAudioBackend* audio;  // owned by the window
    window_test::WindowRig window;
    int port = 0;
    std::unique_ptr<RawPeer> peer;
};

QByteArray Field(const std::string& board) {
    return "D" + QByteArray::fromStdString(board);
}

TEST(NetHostilePeerTest, SplitCoalescedStrayAndMalformedMessagesAndFields) {
    HostileRig rig;
    GameSession& session = rig.Session();
    ASSERT_EQ(session.settings.computerSide, Black);
    EXPECT_EQ(rig.window.form->windowTitle(), QStringLiteral("Velmora Reversi 4.00 + RAW-PEER"));

    // A move split by TCP is played once.
    const QByteArray first = rig.LegalMove();
    rig.peer->Send(first.left(2));
    EXPECT_EQ(session.record.Count(), 0);
    rig.peer->Send(first.mid(2));
    ASSERT_TRUE(PumpUntil([&] { return session.record.Count() == 1; }));
    rig.WindowMoves();

    // A stray "M" does not swallow the move written after it.
    rig.peer->Send("M");
    ASSERT_TRUE(rig.PeerMoves());

    // Moves out of turn, on occupied squares or with letters for digits change nothing; a
    // field request after a stray "M" is answered.
    const std::string board = BoardOf(*rig.window.form);
    for (const QByteArray& bytes : {rig.LegalMove(), QByteArray("M33"), QByteArray("MxY"),
                                    QByteArray("M"), QByteArray("F")}) {
        rig.peer->Send(bytes);
    }
    EXPECT_EQ(rig.FieldReceived(), Field(board));
    rig.ExpectUnchanged(board, 3);

    // The peer's next move comes glued to a field request and a field cut short, and is
    // still played; the request is answered with the board before the move.
    rig.WindowMoves();
    const std::string asked = BoardOf(*rig.window.form);
    rig.peer->Send("F" + rig.LegalMove() + "Dwb+");
    ASSERT_TRUE(PumpUntil([&] { return session.record.Count() == 5; }));
    EXPECT_EQ(rig.FieldReceived(), Field(asked));
    // The field cut short waits for its rest; a byte that is no board letter drops it.
    rig.peer->Send("?");
    rig.ExpectUnchanged(BoardOf(*rig.window.form), 5);

    // The field window shows the newest field and keeps working.
    const std::vector<QByteArray> fields = {
        Field(std::string(64, '+')), Field(std::string(64, 'b')),
        Field(std::string(32, 'w') + std::string(32, 'b')), Field(std::string(63, '+') + "w")};
    std::vector<QByteArray> shown;
    rig.hook = [&](QDialog* dialog) {
        auto* window = qobject_cast<TRemoteField*>(dialog);
        if (window == nullptr) {
            return false;
        }
        if (shown.empty()) {
            // Two more fields come while the first is open; the newest is shown.
            shown.push_back(QByteArray::fromStdString(window->RemoteFieldText()));
            rig.peer->Send(fields[1]);
            rig.peer->Send(fields[2]);
            PumpUntil([&] { return fields[2].toStdString() == window->RemoteFieldText(); });
        }
        shown.push_back(QByteArray::fromStdString(window->RemoteFieldText()));
        window->done(QDialog::Accepted);
        return true;
    };
    rig.peer->Send(fields[0]);
    ASSERT_TRUE(PumpUntil([&] { return shown.size() == 2; }));
    rig.peer->Send(fields[3]);
    ASSERT_TRUE(PumpUntil([&] { return shown.size() == 3; }));
    EXPECT_EQ(shown, (std::vector<QByteArray>{fields[0], fields[2], fields[3]}));
}

TEST(NetHostilePeerTest, StrangersGoUnnoticedAndTheRealCallerGetsIn) {
    HostileRig rig(false);
    NetConnection& net = rig.window.form->Net();
    net.SetTimeouts(300, 15000);

    // A caller that never asks for a game is dropped after its grace time.
    RawPeer silent(rig.port);
    ASSERT_TRUE(PumpUntil([&] { return net.WaitingCount() == 1; }));
    EXPECT_FALSE(net.NetConnected());
    ASSERT_TRUE(silent.WaitClosed(3000));
    EXPECT_TRUE(silent.received.isEmpty());
    EXPECT_EQ(net.WaitingCount(), 0);
    EXPECT_FALSE(rig.window.form->isVisible()) << "a stranger does not bring the window up";

    // A connect-and-close, and at once the real caller, who gets in.
    {
        RawPeer scan(rig.port);
        ASSERT_TRUE(scan.WaitConnected());
        scan.socket.disconnectFromHost();
    }
    rig.peer = rig.Call();
    EXPECT_TRUE(rig.window.form->isVisible()) << "a call request brings the window up";
    EXPECT_EQ(rig.callRequests, 1) << "only the real call request was asked";
    EXPECT_TRUE(net.Listening());
    EXPECT_TRUE(rig.window.Prompts().messages.empty());
    EXPECT_EQ(rig.audio->Count("ChannelPlay", "/disconnect.ogg"), 0);
    EXPECT_EQ(rig.audio->Count("ChannelPlay", "/connect.ogg"), 1);
    ASSERT_TRUE(rig.PeerMoves());
}

TEST(NetHostilePeerTest, FloodsAndFiftyConnectionsAtOnceLeaveTheGameAlone) {
    HostileRig rig;
    ASSERT_TRUE(rig.PeerMoves());
    const std::string board = BoardOf(*rig.window.form);

    // A megabyte of text, then half a megabyte of noise. Moves and restarts are the peer's
    // right in a game; everything else is noise.
    rig.peer->Send(QByteArray("T") + QByteArray(1 << 20, 'z'));
    std::mt19937 random(99);
    QByteArray noise(512 * 1024, '\0');
    for (char& byte : noise) {
        byte = static_cast<char>(random() & 0xFF);
        byte = byte == 'M' || byte == 'R' ? '?' : byte;
    }
    rig.peer->Send(noise);
    ASSERT_TRUE(PumpUntil([&] { return rig.peer->socket.bytesToWrite() == 0; }, 20000));
    window_test::WindowRig::Settle(200);
    rig.ExpectUnchanged(board, 1);
    TSendDlg* archive = rig.window.form->Net().SendDialog();
    EXPECT_LE(archive->ArchiveLineCount(), TSendDlg::kArchiveLines);
    EXPECT_TRUE(archive->ArchiveText().contains(QString(64, 'z')));
    EXPECT_LE(archive->ArchiveText().size(), TSendDlg::kArchiveLines * (kMaxTextBytes + 3));

    // Fifty callers at once are turned away, unheard, while the game goes on.
    std::vector<std::unique_ptr<RawPeer>> crowd;
    for (int i = 0; i < 50; ++i) {
        crowd.push_back(std::make_unique<RawPeer>(rig.port));
    }
    ASSERT_TRUE(PumpUntil([&] {
        for (auto& raw : crowd) {
            if (raw->Received().isEmpty() &&
                raw->socket.state() != QAbstractSocket::UnconnectedState) {
                return false;
            }
        }
        return true;
    }));
    for (auto& raw : crowd) {
        raw->Send("BW8X");
        EXPECT_TRUE(raw->Received().isEmpty() || raw->Received() == "A");
    }
    rig.ExpectUnchanged(board, 1);
    EXPECT_EQ(rig.callRequests, 1) << "only the real caller's request was asked";
    crowd.clear();
    ASSERT_TRUE(PumpUntil([&] { return rig.window.form->Net().TurnedAwayCount() == 0; }));
    EXPECT_TRUE(rig.window.Prompts().messages.empty());
    EXPECT_TRUE(rig.window.form->Net().NetConnected());

    rig.WindowMoves();  // still the peer's game
    ASSERT_TRUE(rig.PeerMoves());
    // The real peer leaving is the one that counts.
    rig.peer->socket.disconnectFromHost();
    ASSERT_TRUE(PumpUntil([&] { return !rig.window.Prompts().messages.empty(); }));
    EXPECT_EQ(rig.window.Prompts().messages, std::vector<std::string>{kNetBrokenOffText});
    EXPECT_FALSE(rig.Session().flags.networkGame);
}

}  // namespace
}  // namespace velmora
