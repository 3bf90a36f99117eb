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

using net_test::CallAnswer;
using net_test::NetRig;
using net_test::PumpUntil;
using window_test::WindowRig;

// The caption: the window's own, or while connected the program's title and the peer.
QString Title(const QString& peer = {}) {
    return peer.isEmpty() ? QStringLiteral("Вельморные Реверси 4.02")
                          : QStringLiteral("Velmora Reversi 4.00 + ") + peer;
}

bool Has(const std::vector<std::string>& messages, const char* text) {
    return std::find(messages.begin(), messages.end(), text) != messages.end();
}

TEST(NetGameTest, CallAcceptAndPlayWholeGamesOnBothSizesWithBothColours) {
    for (const bool size8 : {true, false}) {
        for (const bool white : {true, false}) {
            SCOPED_TRACE(testing::Message() << (size8 ? "8x8 " : "10x10 ")
                                            << (white ? "caller White" : "caller Black"));
            NetRig rig("8");
            TReversiForm& answerer = *rig.answerer.form;
            TReversiForm& caller = *rig.caller.form;
            ASSERT_TRUE(rig.Connect(white, size8));

            // The request named the caller, the answerer's side and the board.
            const int answererSide = white ? Black : White;
            ASSERT_EQ(rig.requestTexts.size(), 3);
            EXPECT_EQ(rig.requestTexts[0],
                      "\"" + QString::fromStdString(LocalComputerName()) + "\"");
            EXPECT_EQ(rig.requestTexts[1],
                      "\"" + QString::fromStdString(SideName(answererSide)) + "\"");
            EXPECT_EQ(rig.requestTexts[2],
                      size8 ? QStringLiteral("\"8 x 8\"") : QStringLiteral("\"10 x 10\""));
            EXPECT_EQ(caller.windowTitle(), Title(QStringLiteral("127.0.0.1")));
            EXPECT_EQ(answerer.windowTitle(), Title(QString::fromStdString(LocalComputerName())));

            // Colours, size, the locked commands.
            const int size = size8 ? 8 : 10;
            EXPECT_EQ(caller.Session().settings.computerSide, white ? White : Black);
            EXPECT_EQ(answerer.Session().settings.computerSide, answererSide);
            for (TReversiForm* form : {&answerer, &caller}) {
                EXPECT_EQ(form->Session().position.boardSize, size);
                EXPECT_EQ(form->Board()->width(), size == 8 ? 8 * 61 + 44 : 10 * 49 + 44);
                EXPECT_FALSE(form->Session().settings.versusComputer);
                EXPECT_FALSE(form->Menu().hint->isEnabled());
                EXPECT_FALSE(form->Menu().save->isEnabled());
                EXPECT_FALSE(form->Menu().load->isEnabled());
                EXPECT_FALSE(form->Menu().netConnect->isEnabled());
                EXPECT_TRUE(form->Menu().netDisconnect->isEnabled());
                EXPECT_TRUE(form->Menu().netSendMessage->isEnabled());
                EXPECT_FALSE(form->Menu().undoMove->isEnabled());
            }
            EXPECT_TRUE(rig.BoardsAgree());

            // While either side's game-over box is open, the other side's field request is
            // answered with the final board.
            int answeredUnderBox = 0;
            std::map<TReversiForm*, std::size_t> asked;
            rig.whileGameOverShown = [&](TReversiForm* shown) {
                asked[shown] = rig.remoteFields.size();
                for (const char c : std::string("fvodrum")) {
                    (shown == &answerer ? caller : answerer).Net().KeyTyped(c);
                }
            };
            rig.gameOverDoneWhen = [&](TReversiForm* shown) {
                const bool answered = rig.remoteFields.size() > asked[shown] &&
                                      rig.remoteFields.back() == net_test::FieldMessageOf(*shown);
                answeredUnderBox += answered ? 1 : 0;
                return answered;
            };

            // A whole game; a click out of turn does nothing.
            int moves = 0;
            while (rig.Mover() != nullptr && moves < 120) {
                TReversiForm* waiting = rig.Mover() == &answerer ? &caller : &answerer;
                const int before = waiting->Session().record.Count();
                net_test::ClickSquare(*waiting, net_test::FirstLegal(waiting->Session().position));
                ASSERT_EQ(waiting->Session().record.Count(), before);
                ASSERT_TRUE(rig.PlayOneMove()) << "move " << moves;
                ASSERT_TRUE(rig.BoardsAgree()) << "move " << moves;
                ++moves;
            }
            ASSERT_TRUE(PumpUntil([&] {
                return answerer.Session().position.gameOver && caller.Session().position.gameOver;
            }));
            EXPECT_TRUE(rig.BoardsAgree());
            EXPECT_GE(moves, size == 8 ? 40 : 60);
            EXPECT_EQ(answerer.StatusPanelText(0), QString::fromUtf8(kGameOverText));
            EXPECT_EQ(caller.StatusPanelText(0), QString::fromUtf8(kGameOverText));
            ASSERT_TRUE(PumpUntil([&] { return answeredUnderBox == 2; }));
            EXPECT_TRUE(rig.answerer.Prompts().messages.empty());
            EXPECT_TRUE(rig.caller.Prompts().messages.empty());
        }
    }
}

TEST(NetGameTest, RefusalByAnswerAndByCountdown) {
    for (const CallAnswer answer : {CallAnswer::Refuse, CallAnswer::LeaveOpen}) {
        NetRig rig;
        TReversiForm& answerer = *rig.answerer.form;
        TReversiForm& caller = *rig.caller.form;
        if (answer == CallAnswer::LeaveOpen) {
            answerer.Net().CallRequestDialog()->SetTickInterval(1);
            // A chat opens the message dialog above the request; the countdown's refusal
            // still goes out while it stays open.
            rig.whileAsked = [&] {
                rig.chat[&caller] = QStringLiteral("Ну что?");
                caller.Net().NetMenuSendMessageClick();
            };
            rig.keepMessageDialogOpenUntil = [&] {
                return Has(rig.caller.Prompts().messages, kNetDeclinedText);
            };
        }
        rig.Call(rig.caller, true, true);
        rig.callAnswer = answer;
        ASSERT_TRUE(PumpUntil([&] {
            return Has(rig.caller.Prompts().messages, kNetDeclinedText) &&
                   !answerer.Net().NetConnected();
        }));
        ASSERT_TRUE(PumpUntil([&] { return answerer.Menu().netConnect->isEnabled(); }));
        EXPECT_EQ(rig.requestTexts.size(), 3);
        EXPECT_FALSE(caller.Net().NetConnected());
        EXPECT_TRUE(rig.answerer.Prompts().messages.empty()) << "the answerer shows nothing";
        EXPECT_EQ(rig.caller.Prompts().messages.size(), 1u);
        EXPECT_FALSE(answerer.Session().flags.networkGame);
        EXPECT_FALSE(caller.Session().flags.networkGame);
        EXPECT_TRUE(answerer.Net().Listening());
        EXPECT_TRUE(answerer.Menu().netListen->isChecked());
        EXPECT_EQ(caller.windowTitle(), Title());
        EXPECT_FALSE(caller.Menu().netDisconnect->isEnabled());
        EXPECT_EQ(rig.heldUntilDone, answer == CallAnswer::LeaveOpen);
    }
}

TEST(NetGameTest, ACallToASilentHostGivesUpInTimeAndCanBeCancelled) {
    NetRig rig;
    WindowRig& side = rig.caller;
    NetConnection& net = side.form->Net();
    net_test::ListenOnLoopback(*side.form);
    net_test::SilentHost silent;
    ASSERT_GT(silent.port, 0);
    net.SetTimeouts(15000, 300);
    const auto call = [&] {
        net.SetPort(silent.port, "");
        net.CallDialog()->SetAddress(QStringLiteral("127.0.0.2"));
        net.NetMenuConnectClick();
        EXPECT_TRUE(net.NetCallPending());
        EXPECT_TRUE(net.ConnectBox()->Running());
        EXPECT_FALSE(net.Listening()) << "listening is off while calling";
        EXPECT_TRUE(side.form->Menu().netDisconnect->isEnabled());
        EXPECT_FALSE(side.form->Menu().netConnect->isEnabled());
    };
    const auto expectIdleAndListening = [&] {
        EXPECT_FALSE(net.NetCallPending());
        EXPECT_FALSE(net.NetConnected());
        EXPECT_FALSE(net.ConnectBox()->Running());
        EXPECT_TRUE(net.Listening());
        EXPECT_TRUE(side.form->Menu().netConnect->isEnabled());
        EXPECT_FALSE(side.form->Menu().netDisconnect->isEnabled());
    };

    // Given up after the connect timeout, through the call error.
    call();
    ASSERT_TRUE(PumpUntil([&] { return Has(side.Prompts().messages, kNetCallErrorText); }));
    EXPECT_EQ(side.Prompts().messages.size(), 1u);
    expectIdleAndListening();

    // Given up by Disconnect, silently.
    net.SetTimeouts(15000, 60000);
    call();
    net.NetMenuDisconnectClick();
    expectIdleAndListening();
    WindowRig::Settle(100);
    EXPECT_EQ(side.Prompts().messages.size(), 1u);
}

TEST(NetGameTest, CallerLeavingWhileTheRequestIsOpenClosesItWithoutANotice) {
    NetRig rig;
    TReversiForm& answerer = *rig.answerer.form;
    TReversiForm& caller = *rig.caller.form;
    rig.callAnswer = CallAnswer::LeaveOpen;
    bool asked = false;
    rig.whileAsked = [&] {
        asked = true;
        EXPECT_TRUE(answerer.Net().CallRequestDialog()->Showing());
        EXPECT_TRUE(caller.Net().NetConnected());
        caller.Net().NetMenuDisconnectClick();
    };
    rig.Call(rig.caller, false, false);
    ASSERT_TRUE(PumpUntil([&] { return asked; }));
    ASSERT_TRUE(PumpUntil([&] {
        return !answerer.Net().CallRequestDialog()->Showing() && !answerer.Net().NetConnected();
    }));
    WindowRig::Settle(30);
    EXPECT_TRUE(rig.answerer.Prompts().messages.empty());
    EXPECT_TRUE(rig.caller.Prompts().messages.empty());
    EXPECT_TRUE(answerer.Net().Listening());
    EXPECT_TRUE(answerer.Menu().netConnect->isEnabled());

    // Another call now goes through.
    ASSERT_TRUE(rig.Connect());
}

TEST(NetGameTest, ABusyAnswererTurnsAwayAThirdCallerAndTheGameGoesOn) {
    NetRig rig;
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.PlayOneMove());
    ASSERT_TRUE(rig.PlayOneMove());

    WindowRig third(std::vector<std::string>{}, net_test::NetPresets());
    rig.Script(third);
    rig.Call(third, true, true);
    ASSERT_TRUE(PumpUntil([&] { return Has(third.Prompts().messages, kNetBusyText); }));
    ASSERT_TRUE(PumpUntil([&] { return rig.answerer.form->Net().TurnedAwayCount() == 0; }));
    EXPECT_FALSE(third.form->Net().NetConnected());
    EXPECT_EQ(third.Prompts().messages.size(), 1u);
    EXPECT_FALSE(third.form->Session().flags.networkGame);

    EXPECT_TRUE(rig.answerer.Prompts().messages.empty());
    EXPECT_TRUE(rig.answerer.form->Session().flags.networkGame);
    ASSERT_TRUE(rig.PlayOneMove());
    EXPECT_TRUE(rig.BoardsAgree());
    EXPECT_EQ(rig.answerer.form->Session().record.Count(), 3);
}

TEST(NetGameTest, LocalDisconnectIsSilentAndThePeerIsToldWithTheDisconnectSound) {
    NetRig rig("10");
    TReversiForm& answerer = *rig.answerer.form;
    TReversiForm& caller = *rig.caller.form;
    ASSERT_TRUE(rig.Connect(true, true));
    ASSERT_TRUE(rig.PlayOneMove());
    caller.Net().NetMenuDisconnectClick();
    // The notice and the new local game follow once the departure's handler has returned.
    ASSERT_TRUE(PumpUntil([&] { return !rig.answerer.Prompts().messages.empty(); }));
    for (TReversiForm* form : {&answerer, &caller}) {
        const GameSession& session = form->Session();
        EXPECT_FALSE(session.flags.networkGame);
        EXPECT_EQ(session.record.Count(), 0) << "a fresh local game";
        EXPECT_TRUE(session.settings.versusComputer) << "the player's own opponent is back";
        EXPECT_EQ(session.settings.computerSide, Black);
        EXPECT_EQ(session.position.boardSize, 8) << "the network game's size stays";
        EXPECT_TRUE(form->Menu().hint->isEnabled());
        EXPECT_TRUE(form->Menu().load->isEnabled());
        EXPECT_TRUE(form->Menu().netConnect->isEnabled());
        EXPECT_EQ(form->windowTitle(), Title());
    }
    EXPECT_TRUE(rig.caller.Prompts().messages.empty());
    EXPECT_EQ(rig.answerer.Prompts().messages, std::vector<std::string>{kNetBrokenOffText});
    EXPECT_EQ(net_test::TimesPlayed(*rig.answererAudio, "/disconnect.ogg"), 1);
    EXPECT_EQ(net_test::TimesPlayed(*rig.callerAudio, "/disconnect.ogg"), 0);
    // The call request and the acceptance sounded the connect effect on both sides.
    EXPECT_EQ(net_test::TimesPlayed(*rig.answererAudio, "/connect.ogg"), 1);
    EXPECT_EQ(net_test::TimesPlayed(*rig.callerAudio, "/connect.ogg"), 1);
    EXPECT_TRUE(answerer.Net().Listening());
}

TEST(NetGameTest, ClosingTheProgramDuringAGameTellsOnlyThePeer) {
    NetRig rig;
    ASSERT_TRUE(rig.Connect(false, true));
    ASSERT_TRUE(rig.PlayOneMove());
    TReversiForm& caller = *rig.caller.form;
    rig.answerer.form->close();
    ASSERT_TRUE(PumpUntil([&] { return !rig.caller.Prompts().messages.empty(); }));
    EXPECT_FALSE(caller.Session().flags.networkGame);
    EXPECT_EQ(rig.caller.Prompts().messages, std::vector<std::string>{kNetBrokenOffText});
    EXPECT_TRUE(rig.answerer.Prompts().messages.empty());
    EXPECT_EQ(caller.Session().record.Count(), 0);
}

TEST(NetGameTest, NewGameRestartsBothSidesWithTheSameColoursAndSize) {
    NetRig rig;
    TReversiForm& answerer = *rig.answerer.form;
    TReversiForm& caller = *rig.caller.form;
    ASSERT_TRUE(rig.Connect(false, false));
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(rig.PlayOneMove());
    }
    answerer.Flow().NewGameCommand();
    ASSERT_TRUE(PumpUntil([&] { return caller.Session().record.Count() == 0; }));
    EXPECT_EQ(answerer.Session().record.Count(), 0);
    EXPECT_TRUE(rig.BoardsAgree());
    for (TReversiForm* form : {&answerer, &caller}) {
        EXPECT_TRUE(form->Session().flags.networkGame);
        EXPECT_EQ(form->Session().position.boardSize, 10);
    }
    EXPECT_EQ(caller.Session().settings.computerSide, Black);
    EXPECT_EQ(answerer.Session().settings.computerSide, White);
    ASSERT_TRUE(rig.PlayOneMove());
    EXPECT_EQ(rig.Mover(), &caller);
}

TEST(NetGameTest, ChatFlowsBothWaysBeforeAndDuringTheGame) {
    NetRig rig;
    TReversiForm& answerer = *rig.answerer.form;
    TReversiForm& caller = *rig.caller.form;
    // Before the game: the caller writes while the answerer is still being asked.
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
    rig.Call(rig.caller, true, true);
    ASSERT_TRUE(PumpUntil([&] { return caller.Session().flags.networkGame; }));
    EXPECT_TRUE(
        answerer.Net().SendDialog()->ArchiveText().contains(QStringLiteral(">>Привет, сыграем?")));
    EXPECT_TRUE(
        caller.Net().SendDialog()->ArchiveText().contains(QStringLiteral("<<Привет, сыграем?")));

    // During it, the other way; the received text opens the message dialog.
    ASSERT_TRUE(rig.PlayOneMove());
    const int opened = rig.messageDialogsOpened;
    rig.chat[&answerer] = QStringLiteral("Хороший ход!");
    answerer.Net().NetMenuSendMessageClick();
    ASSERT_TRUE(PumpUntil([&] {
        return caller.Net().SendDialog()->ArchiveText().endsWith(QStringLiteral(">>Хороший ход!"));
    }));
    ASSERT_TRUE(PumpUntil([&] { return rig.messageDialogsOpened >= opened + 2; }));
    EXPECT_EQ(net_test::TimesPlayed(*rig.callerAudio, "/message.ogg"), 1);
    EXPECT_EQ(net_test::TimesPlayed(*rig.answererAudio, "/message.ogg"), 1);
    EXPECT_EQ(answerer.Net().SendDialog()->History().value(0), QStringLiteral("Хороший ход!"));
    ASSERT_TRUE(rig.PlayOneMove());
    EXPECT_TRUE(rig.BoardsAgree());
}

TEST(NetGameTest, KeyCodesAskForTheFieldAndThePeerAddressOnlyInANetworkGame) {
    NetRig rig;
    TReversiForm& answerer = *rig.answerer.form;
    TReversiForm& caller = *rig.caller.form;
    QTest::keyClicks(&caller, QStringLiteral("fvodrum"));
    QTest::keyClicks(&caller, QStringLiteral("hplenkatorix"));
    EXPECT_EQ(rig.caller.Prompts().messages,
              (std::vector<std::string>{kNotNetworkGameText, kNotNetworkGameText}));

    ASSERT_TRUE(rig.Connect(true, false));
    ASSERT_TRUE(rig.PlayOneMove());
    ASSERT_TRUE(rig.PlayOneMove());
    QTest::keyClicks(&caller, QStringLiteral("fvodXrum"));  // a slip keeps the part typed
    ASSERT_TRUE(PumpUntil([&] { return rig.remoteFields.size() == 1; }));
    EXPECT_EQ(rig.remoteFields[0], net_test::FieldMessageOf(answerer));
    EXPECT_EQ(rig.remoteFields[0].size(), 101u);

    QTest::keyClicks(&answerer, QStringLiteral("hplenkatorix"));
    ASSERT_TRUE(PumpUntil([&] { return rig.remoteSystems.size() == 2; }));
    EXPECT_EQ(rig.remoteSystems[1], QStringLiteral("127.0.0.1"));
    EXPECT_FALSE(rig.remoteSystems[0].isEmpty());
    EXPECT_EQ(rig.caller.Prompts().messages.size(), 2u);
}

TEST(NetGameTest, CommandLineListensAndPrefillsTheCall) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const int port = probe.serverPort();
    probe.close();
    const auto presets = [port](QSettings& store) {
        net_test::NetPresets()(store);
        store.setValue("net/port", QString::number(port));
        store.sync();
    };
    WindowRig listener({"-LISTEN"}, presets);
    EXPECT_TRUE(listener.form->Net().Listening());
    EXPECT_EQ(listener.form->Net().ListeningPort(), port);
    EXPECT_TRUE(listener.form->Menu().netListen->isChecked());

    // Calling an address where nobody answers: the dialog comes pre-filled, then the error.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const int closedPort = closed.serverPort();
    closed.close();
    WindowRig caller({"-connect", "127.0.0.1"}, [closedPort](QSettings& store) {
        net_test::NetPresets()(store);
        store.setValue("net/port", QString::number(closedPort));
        store.sync();
    });
    EXPECT_TRUE(caller.form->Net().AutoCallPending());
    QString shownAddress;
    caller.onDialog = [&](QDialog* dialog) {
        if (auto* call = qobject_cast<TCallDlg*>(dialog)) {
            shownAddress = call->Address();
        }
        dialog->done(QDialog::Accepted);
    };
    listener.onDialog = caller.onDialog;
    caller.form->show();
    ASSERT_TRUE(PumpUntil([&] { return Has(caller.Prompts().messages, kNetCallErrorText); }));
    EXPECT_EQ(shownAddress, QStringLiteral("127.0.0.1"));
    EXPECT_FALSE(caller.form->Net().AutoCallPending());
    EXPECT_FALSE(caller.form->Net().NetCallPending());
    EXPECT_FALSE(caller.form->Net().ConnectBox()->Running()) << "the connecting box is gone";
}

}  // namespace
}  // namespace velmora
