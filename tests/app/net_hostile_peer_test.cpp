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
    explicit RawCaller(int port) { socket.connectToHost(QHostAddress::LocalHost, port); }
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

// The window listens and takes a raw caller asking to play White on 8 x 8; the window plays
// Black. Every dialog is accepted.
struct HostileRig {
    HostileRig() : window(std::vector<std::string>{}, net_test::NetPresets("8")) {
        window.onDialog = [this](QDialog* dialog) {
            ++dialogs;
            dialog->done(QDialog::Accepted);
        };
        port = net_test::ListenOnLoopback(*window.form);
        peer = std::make_unique<RawCaller>(port);
        EXPECT_TRUE(PumpUntil([&] { return window.form->Net().NetConnected(); }));
        peer->Write("BW8RAW-PEER");
        EXPECT_TRUE(PumpUntil([&] { return peer->Received() == "Y"; }));
        peer->Write("G");
        EXPECT_TRUE(PumpUntil([&] { return Session().flags.networkGame; }));
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

    int dialogs = 0;
    WindowRig window;
    int port = 0;
    std::unique_ptr<RawCaller> peer;
};

TEST(NetHostilePeerTest, SplitCoalescedShortAndMalformedMessages) {
    HostileRig rig;
    GameSession& session = rig.Session();
    ASSERT_EQ(session.settings.computerSide, Black);
    EXPECT_EQ(rig.window.form->windowTitle(), QStringLiteral("Velmora Reversi 4.00 + RAW-PEER"));

    // A move in three pieces is played once.
    const QByteArray first = rig.LegalMove();
    rig.peer->Write(first.left(1));
    rig.peer->Write(first.mid(1, 1));
    EXPECT_EQ(session.record.Count(), 0);
    rig.peer->Write(first.mid(2));
    ASSERT_TRUE(PumpUntil([&] { return session.record.Count() == 1; }));

    // Moves out of turn, on occupied squares, with letters for digits, or cut short by
    // another message change nothing.
    const std::string board = net_test::BoardOf(*rig.window.form);
    rig.peer->Write(rig.LegalMove());  // a legal square, but the window's turn
    rig.peer->Write("M33");
    rig.peer->Write("MxY");
    rig.peer->Write("M4");
    rig.peer->Write("F");  // completes "M4F": no digit
    rig.ExpectUnchanged(board, 1);

    // The window answers; the peer's next move comes glued to a field request and a field
    // cut short, and is still played.
    net_test::ClickSquare(*rig.window.form, net_test::FirstLegal(session.position));
    ASSERT_EQ(session.record.Count(), 2);
    ASSERT_TRUE(PumpUntil([&] { return rig.peer->Received().size() >= 4; }));
    const QByteArray reply = rig.peer->Received().mid(1);
    EXPECT_EQ(reply.left(1), "M");
    rig.peer->received.clear();
    const std::string asked = net_test::BoardOf(*rig.window.form);
    rig.peer->Write("F" + rig.LegalMove() + "Dwb+");
    ASSERT_TRUE(PumpUntil([&] { return session.record.Count() == 3; }));
    ASSERT_TRUE(PumpUntil([&] { return rig.peer->Received().size() >= 65; }));
    EXPECT_EQ(rig.peer->Received(), QByteArray("D") + QByteArray::fromStdString(asked));
    // The field cut short waits for its rest; a byte that is no board letter drops it.
    const std::string before = net_test::BoardOf(*rig.window.form);
    rig.peer->Write("?");
    rig.ExpectUnchanged(before, 3);
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
        crowd.push_back(std::make_unique<RawCaller>(rig.port));
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
    ASSERT_TRUE(PumpUntil([&] { return !rig.Session().flags.networkGame; }));
    EXPECT_EQ(rig.window.Prompts().messages, std::vector<std::string>{kNetBrokenOffText});
}

}  // namespace
}  // namespace velmora
