// The main window's side of network play: the connection object, and what it asks of the
// window (caption, front, board size, settings lock, progress box place, sounds).
#include <QStatusBar>
#include <QSystemTrayIcon>

#include "app/audio_effects.h"
#include "app/dialog_placement.h"
#include "app/reversi_dialogs.h"
#include "app/reversi_form.h"
#include "net/net_texts.h"
#include "net/progress_box.h"

namespace velmora {

static_assert(kConnectEffect == ConnectSound && kDisconnectEffect == DisconnectSound &&
              kMessageEffect == MessageSound);

void TReversiForm::StartNetwork() {
    NetMenuItems items;
    items.connect = menu_.netConnect;
    items.listen = menu_.netListen;
    items.disconnect = menu_.netDisconnect;
    items.sendMessage = menu_.netSendMessage;
    items.showIp = menu_.netShowIp;
    items.hint = menu_.hint;
    items.save = menu_.save;
    items.load = menu_.load;
    net_ = std::make_unique<NetConnection>(
        NetConnection::Ports{*this, items, session_, flow_, *this, engine_, *prompter_});
    flow_.SetNetLink(net_.get());
    net_->Start();
    if (request_.autoCall) {
        net_->RequestAutoCall(request_.callAddress);
    }
}

bool TReversiForm::ConfirmBreakNetGame() {
    if (!net_ || !net_->NetConnected()) {
        return true;
    }
    if (!prompter_->AskYesNo(kNetBreakGameQuestion)) {
        return false;
    }
    net_->NetMenuDisconnectClick();
    return true;
}

QWidget* TReversiForm::Widget() {
    return this;
}

void TReversiForm::CentreDialog(QWidget* dialog) {
    CentreOn(dialog, this);
}

void TReversiForm::ShowPeerInCaption(const QString& peer) {
    // Connected, the caption names the program by its own title and then the peer.
    setWindowTitle(peer.isEmpty() ? QString::fromUtf8(kApplicationTitle)
                                  : QString::fromUtf8(kProgramTitle) + " + " + peer);
}

void TReversiForm::BringToFront() {
    if (isMinimized() || !isVisible()) {
        showNormal();
    }
    raise();
    activateWindow();
    if (tray_ != nullptr) {
        tray_->hide();
    }
}

void TReversiForm::ChangeBoardSize(int size) {
    const SkinChoice before = CurrentSkins();
    session_.settings.boardSize = size;
    session_.position.Reset(size);
    session_.record.NewRecord(size);
    RelayoutWindow([this, before] { ApplySkins(before); });
}

void TReversiForm::LockSettingsForNetGame(bool locked) {
    if (dialogs != nullptr) {
        dialogs->LockForNetGame(locked);
    }
}

QPoint TReversiForm::ProgressBoxPosition() {
    const int statusHeight = statusBar()->isVisible() ? statusBar()->height() : 0;
    return {(width() - ProgressBox::kWidth) / 2,
            (height() - ProgressBox::kHeight) / 2 - statusHeight / 2};
}

}  // namespace velmora
