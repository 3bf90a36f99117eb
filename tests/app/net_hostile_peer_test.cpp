#include <gtest/gtest.h>

#include <QTcpSocket>
#include <random>

#include "net/net_texts.h"
#include "net/protocol_decoder.h"
#include "net_rig.h"

namespace velmora {
namespace {

using net_test::PumpUntil;
using window_test::WindowRig;

// A raw socket on 127.0.0.1 that writes exactly the bytes it is told.
struct RawCaller {
    explicit RawCaller(int port, bool waitConnected = true) {
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (waitConnected) {
            EXPECT_TRUE(
                PumpUntil([&] { return socket.state() == QAbstractSocket::ConnectedState; }));
        }
    }
    void Write(const QByteArray& bytes) {
        socket.write(bytes);
        socket.flush();
        WindowRig::Settle(5);
    }
    QByteArray Received() {
        received += socket.readAll();
        return received;
    }
    QTcpSocket socket;
    QByteArray received;
};

// The window listens; a raw caller asks to play White on 8 x 8, and the window plays Black.
// Every dialog is accepted, unless hook takes it.
struct HostileRig {
    explicit HostileRig(bool call = true)
        : audio(new testing_audio::RecordingAudioBackend),
          window(std::vector<std::string>{}, net_test::NetPresets("8"),
                 std::unique_ptr<AudioBackend>(audio)) {
        window.onDialog = [this](QDialog* dialog) {
            if (hook && hook(dialog)) {
                return;
            }
            ++dialogs;
            dialog->done(QDialog::Accepted);
        };
        port = net_test::ListenOnLoopback(*window.form);
        if (call) {
            peer = Call();
        }
    }
    // A raw caller that asks for a game and starts it.
    std::unique_ptr<RawCaller> Call() {
        auto caller = std::make_unique<RawCaller>(port);
        caller->Write("BW8RAW-PEER");
        EXPECT_TRUE(PumpUntil([&] { return caller->Received() == "Y"; }));
        caller->Write("G");
        EXPECT_TRUE(PumpUntil([&] { return Session().flags.networkGame; }));
        return caller;
    }
    GameSession& Session() { return window.form->Session(); }
    // The move digits of the first legal square for the side to move.
    QByteArray LegalMove() {
        const GamePosition& p = Session().position;
        const int square = net_test::FirstLegal(p);
        return QByteArray("M") + char('0' + ColumnOf(p.boardSize, square)) +
               char('0' + RowOf(p.boardSize, square));
    }
    // The window still answers events and its game is where it was.
    void ExpectUnchanged(const std::string& board, int moves) {
        bool ticked = false;
        QTimer::singleShot(0, [&] { ticked = true; });
        EXPECT_TRUE(PumpUntil([&] { return ticked; }, 2000));
        EXPECT_EQ(net_test::BoardOf(*window.form), board);
        EXPECT_EQ(Session().record.Count(), moves);
        EXPECT_TRUE(Session().flags.networkGame);
    }
    // The window plays its first legal square and the peer hears it.
    void WindowMoves() {
        const int moves = Session().record.Count();
        peer->received.clear();
        net_test::ClickSquare(*window.form, net_test::FirstLegal(Session().position));
        ASSERT_EQ(Session().record.Count(), moves + 1);
        ASSERT_TRUE(PumpUntil([&] { return peer->Received().startsWith("M"); }));
        peer->received.clear();
    }

    std::function<bool(QDialog*)> hook;
    int dialogs = 0;
    testing_audio::RecordingAudioBackend* audio;  // owned by the window
    WindowRig window;
    int port = 0;
    std::unique_ptr<RawCaller> peer;
};

TEST(NetHostilePeerTest, SplitCoalescedStrayAndMalformedMessages) {
    HostileRig rig;
    GameSession& session = rig.Session();
    ASSERT_EQ(session.settings.computerSide, Black);
    EXPECT_EQ(rig.window.form->windowTitle(), QStringLiteral("Velmora Reversi 4.00 + RAW-PEER"));

    // A move split by TCP is played once.
    const QByteArray first = rig.LegalMove();
    rig.peer->Write(first.left(2));
    EXPECT_EQ(session.record.Count(), 0);
    rig.peer->Write(first.mid(2));
    ASSERT_TRUE(PumpUntil([&] { return session.record.Count() == 1; }));
    rig.WindowMoves();

    // A stray "M" does not swallow the move written after it.
    rig.peer->Write("M");
    rig.peer->Write(rig.LegalMove());
    ASSERT_TRUE(PumpUntil([&] { return session.record.Count() == 3; }));

    // Moves out of turn, on occupied squares or with letters for digits change nothing; a
    // field request after a stray "M" is answered.
    const std::string board = net_test::BoardOf(*rig.window.form);
    rig.peer->Write(rig.LegalMove());  // a legal square, but the window's turn
    rig.peer->Write("M33");
    rig.peer->Write("MxY");
    rig.peer->Write("M");
    rig.peer->Write("F");
    ASSERT_TRUE(PumpUntil([&] { return rig.peer->Received().size() >= 65; }));
    EXPECT_EQ(rig.peer->Received(), QByteArray("D") + QByteArray::fromStdString(board));
    rig.ExpectUnchanged(board, 3);

    // The peer's next move comes glued to a field request and a field cut short, and is
    // still played; the request is answered with the board before the move.
    rig.WindowMoves();
    const std::string asked = net_test::BoardOf(*rig.window.form);
    rig.peer->Write("F" + rig.LegalMove() + "Dwb+");
    ASSERT_TRUE(PumpUntil([&] { return session.record.Count() == 5; }));
    ASSERT_TRUE(PumpUntil([&] { return rig.peer->Received().size() >= 65; }));
    EXPECT_EQ(rig.peer->Received(), QByteArray("D") + QByteArray::fromStdString(asked));
    // The field cut short waits for its rest; a byte that is no board letter drops it.
    const std::string before = net_test::BoardOf(*rig.window.form);
    rig.peer->Write("?");
    rig.ExpectUnchanged(before, 5);
}

TEST(NetHostilePeerTest, StrangersGoUnnoticedAndTheRealCallerGetsIn) {
    HostileRig rig(false);
    NetConnection& net = rig.window.form->Net();
    net.SetTimeouts(300, 15000);

    // A caller that never asks for a game is dropped after its grace time.
    RawCaller silent(rig.port);
    ASSERT_TRUE(PumpUntil([&] { return net.WaitingCount() == 1; }));
    EXPECT_FALSE(net.NetConnected());
    ASSERT_TRUE(PumpUntil(
        [&] {
            silent.Received();
            return silent.socket.state() == QAbstractSocket::UnconnectedState;
        },
        3000));
    EXPECT_TRUE(silent.received.isEmpty());
    EXPECT_EQ(net.WaitingCount(), 0);
    EXPECT_FALSE(rig.window.form->isVisible()) << "a stranger does not bring the window up";

    // A connect-and-close, and at once the real caller, who gets in.
    {
        RawCaller scan(rig.port);
        scan.socket.disconnectFromHost();
    }
    rig.peer = rig.Call();
    EXPECT_TRUE(rig.window.form->isVisible()) << "a call request brings the window up";
    EXPECT_EQ(rig.dialogs, 1) << "only the real call request was asked";
    EXPECT_TRUE(net.Listening());
    EXPECT_TRUE(rig.window.Prompts().messages.empty());
    EXPECT_EQ(net_test::TimesPlayed(*rig.audio, "/disconnect.ogg"), 0);
    EXPECT_EQ(net_test::TimesPlayed(*rig.audio, "/connect.ogg"), 1);
    rig.peer->Write(rig.LegalMove());
    ASSERT_TRUE(PumpUntil([&] { return rig.Session().record.Count() == 1; }));
}

TEST(NetHostilePeerTest, TheFieldWindowShowsTheNewestFieldAndKeepsWorking) {
    HostileRig rig;
    const auto field = [](const char* squares) {
        std::string text;
        while (text.size() < 64) {
            text += squares;
        }
        return "D" + text.substr(0, 64);
    };
    const std::string fields[] = {field("+"), field("b"), field("wb"), field("w++")};
    std::vector<std::string> shown;
    rig.hook = [&](QDialog* dialog) {
        auto* window = qobject_cast<TRemoteField*>(dialog);
        if (window == nullptr) {
            return false;
        }
        if (shown.empty()) {
            // Two more fields come while the first is open; the newest is shown.
            shown.push_back(window->RemoteFieldText());
            rig.peer->Write(QByteArray::fromStdString(fields[1]));
            rig.peer->Write(QByteArray::fromStdString(fields[2]));
            PumpUntil([&] { return window->RemoteFieldText() == fields[2]; }, 3000);
        }
        shown.push_back(window->RemoteFieldText());
        window->done(QDialog::Accepted);
        return true;
    };
    rig.peer->Write(QByteArray::fromStdString(fields[0]));
    ASSERT_TRUE(PumpUntil([&] { return shown.size() == 2; }));
    rig.peer->Write(QByteArray::fromStdString(fields[3]));
    ASSERT_TRUE(PumpUntil([&] { return shown.size() == 3; }));
    EXPECT_EQ(shown, (std::vector<std::string>{fields[0], fields[2], fields[3]}));
}

TEST(NetHostilePeerTest, FloodsOfTextAndRandomBytesLeaveTheGameAlone) {
    HostileRig rig;
    rig.peer->Write(rig.LegalMove());
    ASSERT_TRUE(PumpUntil([&] { return rig.Session().record.Count() == 1; }));
    const std::string board = net_test::BoardOf(*rig.window.form);

    rig.peer->Write(QByteArray("T") + QByteArray(1 << 20, 'z'));
    std::mt19937 random(99);
    QByteArray noise(512 * 1024, '\0');
    for (char& byte : noise) {
        byte = static_cast<char>(random() & 0xFF);
        // Moves and restarts are the peer's right in a game; everything else is noise.
        if (byte == 'M' || byte == 'R') {
            byte = '?';
        }
    }
    rig.peer->Write(noise);
    ASSERT_TRUE(PumpUntil([&] { return rig.peer->socket.bytesToWrite() == 0; }, 20000));
    WindowRig::Settle(200);
    rig.ExpectUnchanged(board, 1);

    TSendDlg* archive = rig.window.form->Net().SendDialog();
    EXPECT_LE(archive->ArchiveLineCount(), TSendDlg::kArchiveLines);
    EXPECT_TRUE(archive->ArchiveText().contains(QString(64, 'z')));
    EXPECT_LE(archive->ArchiveText().size(), TSendDlg::kArchiveLines * (kMaxTextBytes + 3));
    EXPECT_TRUE(rig.window.form->Net().NetConnected());

    // Still the peer's game: its next move is played after the flood.
    net_test::ClickSquare(*rig.window.form, net_test::FirstLegal(rig.Session().position));
    ASSERT_EQ(rig.Session().record.Count(), 2);
    rig.peer->Write(rig.LegalMove());
    ASSERT_TRUE(PumpUntil([&] { return rig.Session().record.Count() == 3; }));
}

TEST(NetHostilePeerTest, FiftyConnectionsAtOnceAreTurnedAwayWhileTheGameGoesOn) {
    HostileRig rig;
    rig.peer->Write(rig.LegalMove());
    ASSERT_TRUE(PumpUntil([&] { return rig.Session().record.Count() == 1; }));
    const std::string board = net_test::BoardOf(*rig.window.form);

    std::vector<std::unique_ptr<RawCaller>> crowd;
    for (int i = 0; i < 50; ++i) {
        crowd.push_back(std::make_unique<RawCaller>(rig.port, false));
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
        raw->Write("BW8X");  // turned away: not heard
        EXPECT_TRUE(raw->Received().isEmpty() || raw->Received() == "A");
    }
    rig.ExpectUnchanged(board, 1);
    EXPECT_EQ(rig.dialogs, 1) << "only the real caller's request was asked";
    crowd.clear();
    ASSERT_TRUE(PumpUntil([&] { return rig.window.form->Net().TurnedAwayCount() == 0; }));
    EXPECT_TRUE(rig.window.Prompts().messages.empty());

    net_test::ClickSquare(*rig.window.form, net_test::FirstLegal(rig.Session().position));
    ASSERT_EQ(rig.Session().record.Count(), 2);
    rig.peer->Write(rig.LegalMove());
    ASSERT_TRUE(PumpUntil([&] { return rig.Session().record.Count() == 3; }));

    // The real peer leaving is the one that counts.
    rig.peer->socket.disconnectFromHost();
    ASSERT_TRUE(PumpUntil([&] { return !rig.window.Prompts().messages.empty(); }));
    EXPECT_EQ(rig.window.Prompts().messages, std::vector<std::string>{kNetBrokenOffText});
    EXPECT_FALSE(rig.Session().flags.networkGame);
}

}  // namespace
}  // namespace velmora
