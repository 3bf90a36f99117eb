#include "net/net_connection.h"

#include <QAction>
#include <QHostInfo>
#include <QTimer>
#include <QWidget>

#include "engine/notation.h"
#include "engine/side_names.h"
#include "net/call_dialog.h"
#include "net/call_request_dialog.h"
#include "net/ip_conf_form.h"
#include "net/local_addresses.h"
#include "net/net_port.h"
#include "net/net_texts.h"
#include "net/progress_box.h"
#include "net/remote_field.h"
#include "net/send_dialog.h"
#include "net/show_ip_dialog.h"

namespace velmora {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
// clang before 17 does not deduce an aggregate's arguments by itself.
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

QString Qt8(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

NetConnection::NetConnection(Ports ports, QObject* parent)
    : QObject(parent), ports_(ports), transport_(*this) {
    QWidget* window = ports_.window.Widget();
    callDlg_ = new TCallDlg(window);
    callReq_ = new TCallReq(window);
    sendDlg_ = new TSendDlg(window);
    connectBox_ = new ProgressBox(ProgressBox::Kind::Connect, window);
}

NetConnection::~NetConnection() = default;

void NetConnection::Start() {
    const Settings& settings = ports_.session.settings;
    SetPort(settings.port, settings.service);
    const NetMenuItems& menu = ports_.menu;
    connect(menu.connect, &QAction::triggered, this, [this] { NetMenuConnectClick(); });
    connect(menu.listen, &QAction::triggered, this, [this] { NetMenuListingClick(); });
    connect(menu.disconnect, &QAction::triggered, this, [this] { NetMenuDisconnectClick(); });
    connect(menu.sendMessage, &QAction::triggered, this, [this] { NetMenuSendMessageClick(); });
    connect(menu.showIp, &QAction::triggered, this, [this] { NetMenuShowIPClick(); });
    SetConnectedMenus(false);
    if (settings.listen) {
        transport_.OpenServer();
    }
    SetListenCheck();
}

void NetConnection::SetPort(int port, const std::string& service) {
    transport_.SetPort(ResolveNetPort(port, service));
}

void NetConnection::SetListenAddress(const QHostAddress& address) {
    transport_.SetListenAddress(address);
}

void NetConnection::RequestAutoCall(const std::string& address) {
    autoCallPending_ = true;
    autoCallAddress_ = address;
}

void NetConnection::RunAutoCall() {
    if (autoCallPending_) {
        QTimer::singleShot(0, this, [this] {
            if (autoCallPending_) {
                NetMenuConnectClick();
            }
        });
    }
}

// --- Commands ---

void NetConnection::NetMenuConnectClick() {
    if (netConnected_) {
        return;
    }
    if (autoCallPending_) {
        callDlg_->SetAddress(Qt8(autoCallAddress_));
        autoCallPending_ = false;
    }
    Settings& settings = ports_.session.settings;
    callDlg_->SetSideNames(Qt8(SideName(White)), Qt8(SideName(Black)));
    callDlg_->SetChoices(settings.callAsWhite, settings.callOn8x8);
    ports_.window.CentreDialog(callDlg_);
    if (callDlg_->exec() != QDialog::Accepted) {
        return;
    }
    settings.callAsWhite = callDlg_->WhiteChecked();
    settings.callOn8x8 = !callDlg_->Size10Checked();
    ports_.window.Widget()->update();
    // A call may have come in while the dialog was open.
    if (netConnected_) {
        return;
    }
    netCallPending_ = true;
    if (transport_.ServerActive()) {
        transport_.CloseServer();
        ports_.menu.listen->setChecked(false);
        netListenSuspended_ = true;
    }
    const QPoint at = ports_.window.ProgressBoxPosition();
    connectBox_->Start(at.x(), at.y());
    if (!transport_.OpenClient(callDlg_->Address())) {
        StopConnectBox();
        netCallPending_ = false;
        Inform(kNetOpenErrorText);
        if (netListenSuspended_) {
            ResumeListening();
        }
    }
}

void NetConnection::NetMenuListingClick() {
    if (transport_.ServerActive()) {
        transport_.CloseServer();
    } else if (!transport_.OpenServer()) {
        Inform(kNetCannotListenText);
    }
    SetListenCheck();
}

void NetConnection::ResumeListening() {
    netListenSuspended_ = false;
    SetListenCheck();
    if (!transport_.ServerActive()) {
        if (transport_.OpenServer()) {
            ports_.menu.listen->setChecked(true);
        } else {
            Inform(kNetCannotListenText);
            ports_.menu.listen->setChecked(false);
        }
    }
}

void NetConnection::NetMenuDisconnectClick() {
    netConnected_ = false;
    if (netServerRole_) {
        transport_.CloseServer();
        ResumeListening();
    } else {
        transport_.CloseClient();
    }
    EndNetConnection(false);
}

void NetConnection::NetMenuSendMessageClick() {
    if (sendDlg_->isVisible()) {
        return;
    }
    ports_.window.CentreDialog(sendDlg_);
    if (sendDlg_->exec() != QDialog::Accepted) {
        return;
    }
    const QString text = sendDlg_->Text();
    sendDlg_->RememberSent(text);
    sendDlg_->AppendToArchive(QStringLiteral("<<") + text);
    if (netConnected_) {
        Send(NetText{text.toStdString()});
    }
}

void NetConnection::NetMenuShowIPClick() {
    TShowIPDlg dialog(CallableIPv4Addresses(MachineInterfaces()), ports_.window.Widget());
    ports_.window.CentreDialog(&dialog);
    dialog.exec();
}

void NetConnection::KeyTyped(char c) {
    const NetKeyCodes::Action action = keyCodes_.Type(c);
    if (action == NetKeyCodes::Action::None) {
        return;
    }
    if (!ports_.session.flags.networkGame) {
        Inform(kNotNetworkGameText);
        return;
    }
    if (action == NetKeyCodes::Action::FieldRequest) {
        Send(NetMessage(std::in_place_type<NetFieldRequest>));
        return;
    }
    const QString address = transport_.PeerAddress();
    const QString name = transport_.PeerHostName();
    TIPConfForm form(name.isEmpty() ? address : name, address, ports_.window.Widget());
    if (name.isEmpty() && !address.isEmpty()) {
        QHostInfo::lookupHost(address, &form, [&form](const QHostInfo& info) {
            if (info.error() == QHostInfo::NoError && !info.hostName().isEmpty()) {
                form.SetHostName(info.hostName());
            }
        });
    }
    ports_.window.CentreDialog(&form);
    form.exec();
}

void NetConnection::CloseForExit() {
    netConnected_ = false;
    RestoreOwnChoices();
    ports_.session.flags.networkGame = false;
    transport_.CloseClient();
    transport_.CloseServer();
}

// --- The game ---

void NetConnection::SendMove(int col, int row) {
    Send(NetMove{col, row, NoMove});
}

void NetConnection::SendRestart() {
    Send(NetMessage(std::in_place_type<NetRestart>));
}

void NetConnection::StartNetGame() {
    GameSession& session = ports_.session;
    if (ports_.engine.Busy()) {
        ports_.engine.RequestStop();
    }
    const int size = netBoardTen_ ? 10 : 8;
    if (size != session.position.boardSize) {
        ports_.window.ChangeBoardSize(size);
    }
    session.settings.boardSize = size;
    transport_.SetBoardSize(size);
    if (!ownChoicesSaved_) {
        ownChoicesSaved_ = true;
        ownVersusComputer_ = session.settings.versusComputer;
        ownComputerSide_ = session.settings.computerSide;
    }
    ports_.flow.BeginNetworkGame();
    session.flags.networkGame = true;
    session.settings.versusComputer = false;
    session.settings.computerSide = netLocalBlack_ ? Black : White;
    ports_.flow.DisableUndoRedo();
    ports_.view.SetPointer(session.position.sideToMove == session.settings.computerSide
                               ? PointerShape::Arrow
                               : PointerShape::Hourglass);
}

void NetConnection::EndNetConnection(bool announce) {
    GameSession& session = ports_.session;
    netConnected_ = false;
    stage_ = Stage::None;
    StopConnectBox();
    ports_.window.ShowPeerInCaption({});
    SetConnectedMenus(false);
    const bool wasGame = session.flags.networkGame;
    session.flags.networkGame = false;
    ports_.view.SetPointer(PointerShape::Arrow);
    UnlockAfterNetGame();
    RestoreOwnChoices();
    transport_.SetBoardSize(session.position.boardSize);
    if (announce) {
        ports_.window.PlayEffect(kDisconnectEffect);
        Inform(kNetBrokenOffText);
    }
    if (wasGame) {
        ports_.flow.NewGameCommand();
    }
}

void NetConnection::LockForNetGame() {
    const NetMenuItems& menu = ports_.menu;
    locked_ = true;
    menu.hint->setEnabled(false);
    menu.save->setEnabled(false);
    menu.load->setEnabled(false);
    ports_.window.LockSettingsForNetGame(true);
    ports_.view.SetUndoRedoEnabled(false);
}

void NetConnection::UnlockAfterNetGame() {
    // Only what a network game locked: a search of a local game keeps its own locks.
    if (!locked_) {
        return;
    }
    locked_ = false;
    const NetMenuItems& menu = ports_.menu;
    menu.hint->setEnabled(true);
    menu.save->setEnabled(true);
    menu.load->setEnabled(true);
    ports_.window.LockSettingsForNetGame(false);
    if (ports_.session.record.Count() >= 1) {
        ports_.view.SetUndoRedoEnabled(true);
    }
}

void NetConnection::RestoreOwnChoices() {
    if (!ownChoicesSaved_) {
        return;
    }
    ownChoicesSaved_ = false;
    ports_.session.settings.versusComputer = ownVersusComputer_;
    ports_.session.settings.computerSide = ownComputerSide_;
}

// --- Socket events ---

void NetConnection::ClientConnected() {
    RevClientSocketConnect();
}

void NetConnection::ClientError() {
    RevClientSocketError();
}

void NetConnection::ClientGone() {
    RevClientSocketDisconnect();
}

void NetConnection::ServerClientConnected(NetConnectionId id) {
    RevServerSocketClientConnect(id);
}

void NetConnection::ServerPeerGone() {
    RevServerSocketClientDisconnect();
}

void NetConnection::RevClientSocketConnect() {
    ports_.window.BringToFront();
    StopConnectBox();
    if (netListenSuspended_) {
        ResumeListening();
    }
    netServerRole_ = false;
    netConnected_ = true;
    netCallPending_ = false;
    NetCallRequest request;
    netLocalBlack_ = !callDlg_->WhiteChecked();
    request.callerSide = netLocalBlack_ ? Black : White;
    netBoardTen_ = !callDlg_->Size8Checked();
    request.boardSize = netBoardTen_ ? 10 : 8;
    request.callerName = LocalComputerName();
    transport_.SetBoardSize(ports_.session.position.boardSize);
    stage_ = Stage::AwaitingAnswer;
    Send(request);
    SetConnectedMenus(true);
}

void NetConnection::RevClientSocketError() {
    if (netCallPending_) {
        StopConnectBox();
        netCallPending_ = false;
        Inform(kNetCallErrorText);
    }
    if (netListenSuspended_) {
        ResumeListening();
    }
}

void NetConnection::RevClientSocketDisconnect() {
    EndNetConnection(netConnected_);
}

void NetConnection::RevServerSocketClientConnect(NetConnectionId id) {
    ports_.window.BringToFront();
    if (netConnected_) {
        transport_.TurnAway(id);
        return;
    }
    transport_.TakeAsPeer(id);
    transport_.SetBoardSize(ports_.session.position.boardSize);
    netServerRole_ = true;
    netConnected_ = true;
    stage_ = Stage::AwaitingRequest;
    SetConnectedMenus(true);
}

void NetConnection::RevServerSocketClientDisconnect() {
    if (stage_ == Stage::Asking) {
        stage_ = Stage::None;
        callReq_->CloseAsRefused();
        EndNetConnection(false);
        return;
    }
    EndNetConnection(netConnected_);
}

// --- Messages ---

void NetConnection::PeerMessage(const NetMessage& message) {
    const bool answerer = netServerRole_;
    std::visit(Overloaded{
                   [&](const NetCallRequest& request) {
                       if (answerer && stage_ == Stage::AwaitingRequest) {
                           CallRequestReceived(request);
                       }
                   },
                   [&](const NetAccept&) {
                       if (!answerer && stage_ == Stage::AwaitingAnswer) {
                           AcceptReceived();
                       }
                   },
                   [&](const NetRefuse&) {
                       if (!answerer && stage_ == Stage::AwaitingAnswer) {
                           NetMenuDisconnectClick();
                           Inform(kNetDeclinedText);
                       }
                   },
                   [&](const NetBusy&) {
                       if (!answerer && stage_ == Stage::AwaitingAnswer) {
                           stage_ = Stage::None;
                           Inform(kNetBusyText);
                           NetMenuDisconnectClick();
                       }
                   },
                   [&](const NetGo&) {
                       if (answerer && stage_ == Stage::AwaitingGo) {
                           GoReceived();
                       }
                   },
                   [&](const NetMove& move) { MoveReceived(move); },
                   [&](const NetRestart&) {
                       if (ports_.session.flags.networkGame) {
                           LockForNetGame();
                           StartNetGame();
                       }
                   },
                   [&](const NetText& text) {
                       if (netConnected_) {
                           TextReceived(text.text);
                       }
                   },
                   [&](const NetFieldRequest&) {
                       const GamePosition& position = ports_.session.position;
                       Send(NetField{BoardToText(position.board, position.boardSize)});
                   },
                   [&](const NetField& field) { FieldReceived(field.boardText); },
               },
               message);
}

void NetConnection::CallRequestReceived(const NetCallRequest& request) {
    ports_.window.PlayEffect(kConnectEffect);
    callerName_ = Qt8(request.callerName);
    netLocalBlack_ = request.callerSide == White;
    callColourText_ = Qt8(SideName(netLocalBlack_ ? Black : White));
    netBoardTen_ = request.boardSize != 8;
    callSizeText_ = netBoardTen_ ? QStringLiteral("10 x 10") : QStringLiteral("8 x 8");
    stage_ = Stage::Asking;
    // Asked outside the message queue, so chat and the caller's leaving are still heard.
    QTimer::singleShot(0, this, [this] { AskCallRequest(); });
}

void NetConnection::AskCallRequest() {
    if (stage_ != Stage::Asking || !netConnected_) {
        return;
    }
    callReq_->SetRequest(callerName_, callColourText_, callSizeText_);
    ports_.window.CentreDialog(callReq_);
    const bool accepted = callReq_->exec() == QDialog::Accepted;
    if (stage_ != Stage::Asking) {
        return;  // the caller left while it was asked
    }
    if (accepted && netConnected_) {
        ports_.window.ShowPeerInCaption(callerName_);
        stage_ = Stage::AwaitingGo;
        Send(NetMessage(std::in_place_type<NetAccept>));
        return;
    }
    if (netConnected_) {
        Send(NetMessage(std::in_place_type<NetRefuse>));
    }
    netConnected_ = false;
    stage_ = Stage::None;
}

void NetConnection::AcceptReceived() {
    Send(NetMessage(std::in_place_type<NetGo>));
    ports_.window.ShowPeerInCaption(callDlg_->Address());
    ports_.window.PlayEffect(kConnectEffect);
    stage_ = Stage::Started;
    LockForNetGame();
    StartNetGame();
}

void NetConnection::GoReceived() {
    stage_ = Stage::Started;
    LockForNetGame();
    StartNetGame();
}

void NetConnection::MoveReceived(const NetMove& move) {
    const GameSession& session = ports_.session;
    // A move that names no square, or comes when it is our turn, is no peer's move.
    if (!session.flags.networkGame || move.square == NoMove ||
        session.position.sideToMove == session.settings.computerSide) {
        return;
    }
    ports_.flow.SetPeerMovePending();
    ports_.flow.ApplyRemoteMove(move.column, move.row);
}

void NetConnection::TextReceived(const std::string& text) {
    sendDlg_->AppendToArchive(QStringLiteral(">>") + Qt8(text));
    ports_.window.PlayEffect(kMessageEffect);
    if (!messageCommandPosted_) {
        messageCommandPosted_ = true;
        QTimer::singleShot(0, this, [this] {
            messageCommandPosted_ = false;
            NetMenuSendMessageClick();
        });
    }
}

void NetConnection::FieldReceived(const std::string& boardText) {
    const bool waiting = !pendingField_.empty() || remoteField_ != nullptr;
    pendingField_ = "D" + boardText;
    if (!waiting) {
        QTimer::singleShot(0, this, [this] { ShowRemoteField(); });
    }
}

void NetConnection::ShowRemoteField() {
    TRemoteField field(std::move(pendingField_), ports_.session.position.boardSize,
                       ports_.window.Widget());
    pendingField_.clear();
    remoteField_ = &field;
    ports_.window.CentreDialog(&field);
    field.exec();
}

// --- Helpers ---

void NetConnection::SetConnectedMenus(bool connected) {
    const NetMenuItems& menu = ports_.menu;
    menu.connect->setEnabled(!connected);
    menu.listen->setEnabled(!connected);
    menu.disconnect->setEnabled(connected);
    menu.sendMessage->setEnabled(connected);
}

void NetConnection::SetListenCheck() {
    ports_.menu.listen->setChecked(transport_.ServerActive());
}

void NetConnection::StopConnectBox() {
    if (connectBox_->Running()) {
        connectBox_->Stop();
    }
}

void NetConnection::Send(const NetMessage& message) {
    transport_.Send(message);
}

void NetConnection::Inform(const char* text) {
    ports_.prompter.Inform(text);
}

}  // namespace velmora
