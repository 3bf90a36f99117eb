#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "game/game_flow.h"
#include "game/game_ports.h"
#include "game/game_session.h"
#include "game/prompter.h"
#include "net/net_key_codes.h"
#include "net/net_transport.h"
#include "net/net_window.h"
#include "net/protocol_stage.h"

namespace velmora {

class ProgressBox;
class TCallDlg;
class TCallReq;
class TRemoteField;
class TSendDlg;

// The network side of the main window: listening for calls, calling, the call set-up, the
// network game's start and restarts, moves and chat, the two typed key codes, disconnecting
// and the messages around all of it. Everything runs on the GUI thread.
class NetConnection : public QObject, public NetLink, private NetTransportEvents {
    Q_OBJECT

  public:
    struct Ports {
        NetWindow& window;
        NetMenuItems menu;
        GameSession& session;
        GameFlow& flow;
        GameView& view;
        EngineRunner& engine;
        Prompter& prompter;
    };

    explicit NetConnection(Ports ports, QObject* parent = nullptr);
    ~NetConnection() override;

    // Start-up: the port from the settings, the menu actions, and listening when Listen is on
    // (a failure there is silent).
    void Start();
    // The port (or service name) of both sockets.
    void SetPort(int port, const std::string& service);
    // The listening address; every interface unless told otherwise.
    void SetListenAddress(const QHostAddress& address);
    // Tests shorten the grace for a call request and the connect timeout.
    void SetTimeouts(int callRequestGraceMs, int connectTimeoutMs) {
        transport_.SetTimeouts(callRequestGraceMs, connectTimeoutMs);
    }
    int ListeningPort() const { return transport_.ServerPort(); }
    bool Listening() const { return transport_.ServerActive(); }

    // "-connect ADDRESS": the next activation of the window runs the Call command with it.
    void RequestAutoCall(const std::string& address);
    // At each activation: runs the Call command once if asked to.
    void RunAutoCall();
    bool AutoCallPending() const { return autoCallPending_; }

    // Commands.
    void NetMenuConnectClick();
    void NetMenuListingClick();
    void NetMenuDisconnectClick();
    void NetMenuSendMessageClick();
    void NetMenuShowIPClick();
    // A character typed on the main window.
    void KeyTyped(char c);
    // The window closes: no notice here, the peer gets one; the own opponent and side are put
    // back for the settings to be saved.
    void CloseForExit();

    // NetLink: the game flow's side of a network game.
    void SendMove(int col, int row) override;
    void SendRestart() override;
    void StartNetGame() override;

    void EndNetConnection(bool announce);
    // Boxes must not hold up the peer's messages: inside a handler of the peer's messages or
    // departure, show is posted to run once the handler has returned (true), otherwise it
    // is left to the caller (false).
    bool DeferFromHandler(const std::function<void()>& show);
    void LockForNetGame();
    void UnlockAfterNetGame();
    void ResumeListening();

    bool NetConnected() const { return netConnected_; }
    bool NetServerRole() const { return netServerRole_; }
    bool NetCallPending() const { return netCallPending_; }
    bool NetListenSuspended() const { return netListenSuspended_; }
    bool LocalBlack() const { return netLocalBlack_; }
    bool BoardTen() const { return netBoardTen_; }
    int TurnedAwayCount() const { return transport_.TurnedAwayCount(); }
    int WaitingCount() const { return transport_.WaitingCount(); }
    qintptr PeerSocketDescriptor() const { return transport_.PeerSocketDescriptor(); }
    const NetKeyCodes& KeyCodes() const { return keyCodes_; }

    TCallDlg* CallDialog() const { return callDlg_; }
    TCallReq* CallRequestDialog() const { return callReq_; }
    TSendDlg* SendDialog() const { return sendDlg_; }
    ProgressBox* ConnectBox() const { return connectBox_; }

  private:
    // NetTransportEvents: the socket event handlers.
    void ClientConnected() override;
    void ClientError() override;
    void ClientGone() override;
    void ServerClientConnected(NetConnectionId id) override;
    void ServerCallRequest(NetConnectionId id) override;
    void ServerPeerGone() override;
    void PeerMessage(const NetMessage& message) override;

    void RevClientSocketConnect();
    void RevClientSocketError();
    void RevClientSocketDisconnect();
    void RevServerSocketClientConnect(NetConnectionId id);
    void RevServerSocketClientDisconnect();

    void CallRequestReceived(const NetCallRequest& request);
    void AskCallRequest();
    void CallRequestAnswered(bool accepted);
    void AcceptReceived();
    void GoReceived();
    void MoveReceived(const NetMove& move);
    void TextReceived(const std::string& text);
    void FieldReceived(const std::string& boardText);
    void ShowRemoteField();

    void SetConnectedMenus(bool connected);
    void CancelCall();
    void InformAfterHandler(const char* text);
    void SetListenCheck();
    void StopConnectBox();
    void Send(const NetMessage& message);
    void Inform(const char* text);
    // The player's own opponent and side, kept while a network game borrows them.
    void RestoreOwnChoices();

    Ports ports_;
    NetTransport transport_;
    NetKeyCodes keyCodes_;
    TCallDlg* callDlg_ = nullptr;
    TCallReq* callReq_ = nullptr;
    TSendDlg* sendDlg_ = nullptr;
    ProgressBox* connectBox_ = nullptr;
    QPointer<TRemoteField> remoteField_;

    bool netServerRole_ = false;
    bool netConnected_ = false;
    bool netListenSuspended_ = false;
    bool netCallPending_ = false;
    bool netLocalBlack_ = false;
    bool netBoardTen_ = false;
    bool autoCallPending_ = false;
    std::string autoCallAddress_;
    NetCallStage stage_;
    // Handlers of the peer's messages and departure running now (nested ones included).
    int handlerDepth_ = 0;

    QString callerName_ = QStringLiteral("NO_NAME");
    QString callColourText_ = QStringLiteral("???");
    QString callSizeText_ = QStringLiteral("???");
    QString calledAddress_;
    bool messageCommandPosted_ = false;
    bool locked_ = false;
    std::string pendingField_;
    bool fieldShowPosted_ = false;

    bool ownChoicesSaved_ = false;
    bool ownVersusComputer_ = true;
    int ownComputerSide_ = Black;
};

}  // namespace velmora
