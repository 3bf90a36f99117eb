#include <gtest/gtest.h>

#include <QAction>
#include <QTcpServer>

#include "engine/side_names.h"
#include "game/game_texts.h"
#include "net/net_port.h"
#include "net/net_texts.h"
#include "net/progress_box.h"
#include "net_rig.h"
#include "view/board_widget.h"

namespace velmora {
namespace {

using net_test::BoardOf;
using net_test::CallAnswer;
using net_test::NetRig;
using net_test::PumpUntil;
using window_test::WindowRig;

// The window's own caption, or while connected the program's title and the peer.
QString Title(const QString& peer = {}) {
    return peer.isEmpty() ? QStringLiteral("Вельморные Реверси 4.02")
                          : QStringLiteral("Velmora Reversi 4.00 + ") + peer;
}

bool Has(const std::vector<std::string>& messages, const char* text) {
    return std::find(messages.begin(), messages.end(), text) != messages.end();
}

// No call and no game: the window is back to its own, and an answerer listens again.
void ExpectIdle(WindowRig& side, bool listening) {
    TReversiForm& form = *side.form;
    EXPECT_FALSE(form.Net().NetConnected());
    EXPECT_FALSE(form.Net().NetCallPending());
    EXPECT_FALSE(form.Net().ConnectBox()->Running());
    EXPECT_FALSE(form.Session().flags.networkGame);
    EXPECT_FALSE(form.Menu().netDisconnect->isEnabled());
    EXPECT_TRUE(form.Menu().netConnect->isEnabled());
    EXPECT_EQ(form.windowTitle(), Title());
    if (listening) {
        EXPECT_TRUE(form.Net().Listening());
        EXPECT_TRUE(form.Menu().netListen->isChecked());
    }
}

// Both sizes and both colours; one whole game, on the larger board.
TEST(NetGameTest, CallAcceptAndPlayOnBothSizesWithBothColours) {
    for (const bool size8 : {true, false}) {
        const bool white = size8;
        SCOPED_TRACE(size8 ? "8x8, caller White" : "10x10, caller Black");
        NetRig rig("8");
        TReversiForm& answerer = *rig.answerer.form;
        TReversiForm& caller = *rig.caller.form;
        ASSERT_TRUE(rig.Connect(white, size8));

        // The request named the caller, the answerer's side and the board.
        const int answererSide = white ? Black : White;
        EXPECT_EQ(
            rig.requestTexts,
            (QStringList{"\"" + QString::fromStdString(LocalComputerName()) + "\"",
                         "\"" + QString::fromStdString(SideName(answererSide)) + "\"",
                         size8 ? QStringLiteral("\"8 x 8\"") : QStringLiteral("\"10 x 10\"")}));
        EXPECT_EQ(caller.windowTitle(), Title(QStringLiteral("127.0.0.1")));
        EXPECT_EQ(answerer.windowTitle(), Title(QString::fromStdString(LocalComputerName())));
        EXPECT_EQ(caller.Session().settings.computerSide, white ? White : Black);
        EXPECT_EQ(answerer.Session().settings.computerSide, answererSide);
        const int size = size8 ? 8 : 10;
        for (TReversiForm* form : {&answerer, &caller}) {
            EXPECT_EQ(form->Session().position.boardSize, size);
            EXPECT_EQ(form->Board()->width(), size == 8 ? 8 * 61 + 44 : 10 * 49 + 44);
            EXPECT_FALSE(form->Session().settings.versusComputer);
            const MainMenu& menu = form->Menu();  // what a network game locks and opens
            for (const QAction* locked :
                 {menu.hint, menu.save, menu.load, menu.netConnect, menu.undoMove}) {
                EXPECT_FALSE(locked->isEnabled()) << locked->text().toStdString();
            }
            EXPECT_TRUE(menu.netDisconnect->isEnabled() && menu.netSendMessage->isEnabled());
        }
        EXPECT_TRUE(rig.BoardsAgree());

        // While either side's game-over box is open, the other side's field request is
        // answered with the final board.
        int answeredUnderBox = 0;
        std::map<QDialog*, std::size_t> asked;
        rig.holdWhile = [&](QDialog* dialog) {
            auto* shown = qobject_cast<TReversiForm*>(dialog->parentWidget());
            if (qobject_cast<TFinalDlg*>(dialog) == nullptr || shown == nullptr ||
                shown->StatusPanelText(0) != QString::fromUtf8(kGameOverText)) {
                return false;
            }
            if (asked.try_emplace(dialog, rig.remoteFields.size()).second) {
                for (const char c : std::string("fvodrum")) {
                    (shown == &answerer ? caller : answerer).Net().KeyTyped(c);
                }
            }
            const bool answered = rig.remoteFields.size() > asked[dialog] &&
                                  rig.remoteFields.back() == "D" + BoardOf(*shown);
            answeredUnderBox += answered ? 1 : 0;
            return !answered;
        };

        // A click out of turn does nothing.
        const bool whole = !size8;
        int moves = 0;
        while (rig.Mover() != nullptr && moves < (whole ? 120 : 2)) {
            TReversiForm* waiting = rig.Mover() == &answerer ? &caller : &answerer;
            const int before = waiting->Session().record.Count();
            net_test::ClickSquare(*waiting, net_test::FirstLegal(waiting->Session().position));
            ASSERT_EQ(waiting->Session().record.Count(), before);
            ASSERT_TRUE(rig.PlayOneMove()) << "move " << moves;
            ASSERT_TRUE(rig.BoardsAgree()) << "move " << moves;
            ++moves;
        }
        if (!whole) {
            continue;
        }
        ASSERT_TRUE(PumpUntil([&] {
            return answerer.Session().position.gameOver && caller.Session().position.gameOver;
        }));
        EXPECT_TRUE(rig.BoardsAgree());
        EXPECT_GE(moves, 60);
        EXPECT_EQ(answerer.StatusPanelText(0), QString::fromUtf8(kGameOverText));
        EXPECT_EQ(caller.StatusPanelText(0), QString::fromUtf8(kGameOverText));
        ASSERT_TRUE(PumpUntil([&] { return answeredUnderBox == 2; }));
        EXPECT_TRUE(rig.answerer.Prompts().messages.empty());
        EXPECT_TRUE(rig.caller.Prompts().messages.empty());
    }
}

// The answerer says no, lets the countdown run out, or the caller hangs up while it is
// asked: both sides go back to their own and the answerer listens again.
TEST(NetGameTest, RefusalByAnswerByCountdownAndByTheCallerLeaving) {
    for (const CallAnswer answer :
         {CallAnswer::Refuse, CallAnswer::LeaveOpen, CallAnswer::Accept}) {
        const bool leaves = answer == CallAnswer::Accept;
        SCOPED_TRACE(static_cast<int>(answer));
        NetRig rig;
        TReversiForm& answerer = *rig.answerer.form;
        TReversiForm& caller = *rig.caller.form;
        rig.callAnswer = leaves ? CallAnswer::LeaveOpen : answer;
        bool declinedWhileOpen = false;
        if (answer == CallAnswer::LeaveOpen) {
            answerer.Net().CallRequestDialog()->SetTickInterval(1);
            // A chat opens the answerer's message dialog above the request; the countdown's
            // refusal still goes out while it stays open.
            rig.whileAsked = [&] {
                rig.chat[&caller] = QStringLiteral("Ну что?");
                caller.Net().NetMenuSendMessageClick();
            };
            rig.holdWhile = [&](QDialog* dialog) {
                declinedWhileOpen = Has(rig.caller.Prompts().messages, kNetDeclinedText);
                return dialog->parentWidget() == &answerer && !declinedWhileOpen;
            };
        }
        if (leaves) {
            rig.whileAsked = [&] {
                EXPECT_TRUE(answerer.Net().CallRequestDialog()->Showing());
                EXPECT_TRUE(caller.Net().NetConnected());
                caller.Net().NetMenuDisconnectClick();
            };
        }
        rig.Call(rig.caller, true, true);
        ASSERT_TRUE(PumpUntil([&] {
            return !rig.requestTexts.isEmpty() && !answerer.Net().CallRequestDialog()->Showing() &&
                   (leaves || Has(rig.caller.Prompts().messages, kNetDeclinedText)) &&
                   answerer.Menu().netConnect->isEnabled();
        }));
        WindowRig::Settle(30);
        EXPECT_TRUE(rig.answerer.Prompts().messages.empty()) << "the answerer shows nothing";
        EXPECT_EQ(rig.caller.Prompts().messages.size(), leaves ? 0u : 1u);
        ExpectIdle(rig.answerer, true);
        ExpectIdle(rig.caller, false);
        EXPECT_EQ(declinedWhileOpen, answer == CallAnswer::LeaveOpen);
        // Another call now goes through; closing the program then tells only the peer.
        ASSERT_TRUE(rig.Connect());
        ASSERT_TRUE(rig.PlayOneMove());
        rig.caller.Prompts().messages.clear();
        answerer.close();
        ASSERT_TRUE(PumpUntil([&] { return !rig.caller.Prompts().messages.empty(); }));
        EXPECT_EQ(rig.caller.Prompts().messages, std::vector<std::string>{kNetBrokenOffText});
        EXPECT_TRUE(rig.answerer.Prompts().messages.empty());
        EXPECT_FALSE(caller.Session().flags.networkGame);
        EXPECT_EQ(caller.Session().record.Count(), 0);
    }
}

// One game on 8 x 8 between windows that played 10 x 10: chat before and during it, the key
// codes, a third caller, a new game and the caller's Disconnect.
TEST(NetGameTest, ChatKeyCodesABusyAnswererNewGameAndDisconnect) {
    NetRig rig("10");
    TReversiForm& answerer = *rig.answerer.form;
    TReversiForm& caller = *rig.caller.form;
    QTest::keyClicks(&caller, QStringLiteral("fvodrum"));
    QTest::keyClicks(&caller, QStringLiteral("hplenkatorix"));
    EXPECT_EQ(rig.caller.Prompts().messages,
              std::vector<std::string>(2, "Это не сетевая игра. Функция заблокирована."));
    rig.caller.Prompts().messages.clear();

    // The caller writes while the answerer is still being asked.
    rig.callAnswer = CallAnswer::LeaveOpen;
    rig.whileAsked = [&] {
        rig.chat[&caller] = QStringLiteral("Привет, сыграем?");
        caller.Net().NetMenuSendMessageClick();
        EXPECT_TRUE(PumpUntil([&] {
            return answerer.Net().SendDialog()->ArchiveText().contains(
                QStringLiteral(">>Привет, сыграем?"));
        }));
        rig.callAnswer = CallAnswer::Accept;
    };
    rig.Call(rig.caller, false, true);
    ASSERT_TRUE(PumpUntil([&] { return caller.Session().flags.networkGame; }));
    EXPECT_TRUE(
        caller.Net().SendDialog()->ArchiveText().contains(QStringLiteral("<<Привет, сыграем?")));

    // During the game, the other way; the received text opens the message dialog.
    ASSERT_TRUE(rig.PlayOneMove());
    const int opened = rig.messageDialogsOpened;
    rig.chat[&answerer] = QStringLiteral("Хороший ход!");
    answerer.Net().NetMenuSendMessageClick();
    ASSERT_TRUE(PumpUntil([&] {
        return caller.Net().SendDialog()->ArchiveText().endsWith(QStringLiteral(">>Хороший ход!"));
    }));
    ASSERT_TRUE(PumpUntil([&] { return rig.messageDialogsOpened >= opened + 2; }));
    EXPECT_EQ(rig.callerAudio->Count("ChannelPlay", "/message.ogg"), 1);
    EXPECT_EQ(rig.answererAudio->Count("ChannelPlay", "/message.ogg"), 1);
    EXPECT_EQ(answerer.Net().SendDialog()->History().value(0), QStringLiteral("Хороший ход!"));

    // The key codes ask for the peer's board and address; a slip keeps the part typed.
    ASSERT_TRUE(rig.PlayOneMove());
    QTest::keyClicks(&caller, QStringLiteral("fvodXrum"));
    ASSERT_TRUE(PumpUntil([&] { return rig.remoteFields.size() == 1; }));
    EXPECT_EQ(rig.remoteFields[0], "D" + BoardOf(answerer));
    QTest::keyClicks(&answerer, QStringLiteral("hplenkatorix"));
    ASSERT_TRUE(PumpUntil([&] { return rig.remoteSystems.size() == 2; }));
    EXPECT_EQ(rig.remoteSystems[1], QStringLiteral("127.0.0.1"));
    EXPECT_FALSE(rig.remoteSystems[0].isEmpty());

    // A third caller is told the answerer is busy; the game goes on.
    {
        WindowRig third(std::vector<std::string>{}, net_test::NetPresets());
        rig.Script(third);
        rig.Call(third, true, true);
        ASSERT_TRUE(PumpUntil([&] { return !third.Prompts().messages.empty(); }));
        EXPECT_EQ(third.Prompts().messages, std::vector<std::string>{"СЕТЬ: Оппонент занят."});
        ASSERT_TRUE(PumpUntil([&] { return answerer.Net().TurnedAwayCount() == 0; }));
        ExpectIdle(third, false);
    }
    ASSERT_TRUE(rig.PlayOneMove());
    EXPECT_EQ(answerer.Session().record.Count(), 3);

    // A new game restarts both sides with the same colours and size.
    answerer.Flow().NewGameCommand();
    ASSERT_TRUE(PumpUntil([&] { return caller.Session().record.Count() == 0; }));
    EXPECT_EQ(answerer.Session().record.Count(), 0);
    EXPECT_TRUE(rig.BoardsAgree());
    EXPECT_EQ(caller.Session().settings.computerSide, Black);
    EXPECT_EQ(answerer.Session().settings.computerSide, White);
    ASSERT_TRUE(rig.PlayOneMove());
    EXPECT_EQ(rig.Mover(), &caller);

    // Disconnect is silent here; the peer is told, with the disconnect sound. The notice
    // and the new local game follow once the departure's handler has returned.
    caller.Net().NetMenuDisconnectClick();
    ASSERT_TRUE(PumpUntil([&] { return !rig.answerer.Prompts().messages.empty(); }));
    EXPECT_EQ(rig.answerer.Prompts().messages,
              std::vector<std::string>{"СЕТЬ: Оппонент прервал игру."});
    EXPECT_TRUE(rig.caller.Prompts().messages.empty());
    for (WindowRig* side : {&rig.answerer, &rig.caller}) {
        const GameSession& session = side->form->Session();
        EXPECT_EQ(session.record.Count(), 0) << "a fresh local game";
        EXPECT_TRUE(session.settings.versusComputer) << "the player's own opponent is back";
        EXPECT_EQ(session.settings.computerSide, Black);
        EXPECT_EQ(session.position.boardSize, 8) << "the network game's size stays";
        EXPECT_TRUE(side->form->Menu().hint->isEnabled() && side->form->Menu().load->isEnabled());
        ExpectIdle(*side, side == &rig.answerer);
    }
    EXPECT_EQ(rig.answererAudio->Count("ChannelPlay", "/disconnect.ogg"), 1);
    EXPECT_EQ(rig.callerAudio->Count("ChannelPlay", "/disconnect.ogg"), 0);
    // The call request and the acceptance sounded the connect effect on both sides.
    EXPECT_EQ(rig.answererAudio->Count("ChannelPlay", "/connect.ogg"), 1);
    EXPECT_EQ(rig.callerAudio->Count("ChannelPlay", "/connect.ogg"), 1);
}

// -LISTEN listens on the stored port; -connect fills in the call dialog and calls once the
// window is up. The call goes to a host that never answers, and is given up in time.
TEST(NetGameTest, CommandLineCallsASilentHostGivesUpInTimeAndCanBeCancelled) {
    QTcpServer probe;  // a free port
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const int port = probe.serverPort();
    probe.close();
    WindowRig listener({"-LISTEN"}, net_test::NetPresets("8", port));
    EXPECT_TRUE(listener.form->Net().Listening());
    EXPECT_EQ(listener.form->Net().ListeningPort(), port);
    EXPECT_TRUE(listener.form->Menu().netListen->isChecked());

    WindowRig side({"-connect", "127.0.0.2"}, net_test::NetPresets());
    NetConnection& net = side.form->Net();
    EXPECT_TRUE(net.AutoCallPending());
    QString shownAddress;
    side.onDialog = [&](QDialog* dialog) {
        if (auto* call = qobject_cast<TCallDlg*>(dialog)) {
            shownAddress = call->Address();
        }
        dialog->done(QDialog::Accepted);
    };
    listener.onDialog = side.onDialog;  // either window's closer may meet the dialog
    net_test::ListenOnLoopback(*side.form);
    net_test::SilentHost silent;
    ASSERT_GT(silent.port, 0);
    net.SetPort(silent.port, "");
    const auto expectCalling = [&] {
        ASSERT_TRUE(PumpUntil([&] { return net.NetCallPending(); }));
        EXPECT_TRUE(net.ConnectBox()->Running());
        EXPECT_FALSE(net.Listening()) << "listening is off while calling";
        EXPECT_TRUE(side.form->Menu().netDisconnect->isEnabled());
        EXPECT_FALSE(side.form->Menu().netConnect->isEnabled());
    };
    // Given up after the connect timeout, through the call error.
    net.SetTimeouts(15000, 300);
    side.form->show();
    expectCalling();
    ASSERT_TRUE(PumpUntil([&] { return !side.Prompts().messages.empty(); }));
    EXPECT_EQ(side.Prompts().messages,
              std::vector<std::string>{"СЕТЬ: Связь не установлена - ошибка вызова!"});
    EXPECT_EQ(shownAddress, QStringLiteral("127.0.0.2"));
    EXPECT_FALSE(net.AutoCallPending());
    ExpectIdle(side, true);

    // Given up by Disconnect, silently.
    net.SetTimeouts(15000, 60000);
    net.NetMenuConnectClick();
    expectCalling();
    net.NetMenuDisconnectClick();
    ExpectIdle(side, true);
    WindowRig::Settle(100);
    EXPECT_EQ(side.Prompts().messages.size(), 1u);
}

}  // namespace
}  // namespace velmora
