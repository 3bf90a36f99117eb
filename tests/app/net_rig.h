#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QTest>
#include <string>
#include <utility>

#include "../net/net_test_support.h"
#include "audio_fake_backend.h"
#include "engine/notation.h"
#include "engine/rules.h"
#include "game/game_texts.h"
#include "net/call_dialog.h"
#include "net/call_request_dialog.h"
#include "net/ip_conf_form.h"
#include "net/remote_field.h"
#include "net/send_dialog.h"
#include "view/board_widget.h"
#include "window_rig.h"

namespace velmora::net_test {

using window_test::ClickSquare;
using window_test::WindowRig;

inline auto NetPresets(const char* size = "8", int port = 0) {
    return [size, port](QSettings& store) {
        if (port != 0) {
            store.setValue("net/port", QString::number(port));
        }
        store.setValue("options/brdim", size);
        store.setValue("options/anief", "no");
        store.setValue("options/gamet", "computer");
        store.setValue("options/youpl", "white");
        store.setValue("options/level", "1");
        store.setValue("options/showtips", "no");
        store.setValue("net/listn", "no");
        store.sync();
    };
}

inline int FirstLegal(const GamePosition& p) {
    for (const int square : MoveOrder(p.boardSize)) {
        if (IsLegal(p.board, p.boardSize, square, p.sideToMove, Opponent(p.sideToMove))) {
            return square;
        }
    }
    return NoMove;
}

inline std::string BoardOf(TReversiForm& form) {
    const GamePosition& p = form.Session().position;
    return BoardToText(p.board, p.boardSize);
}

// Listens on 127.0.0.1, on a free port.
inline int ListenOnLoopback(TReversiForm& form) {
    NetConnection& net = form.Net();
    net.SetListenAddress(QHostAddress::LocalHost);
    net.SetPort(0, "");
    if (!net.Listening()) {
        net.NetMenuListingClick();
    }
    return net.ListeningPort();
}

// A host that never answers a call: a listener on 127.0.0.2 that never accepts and whose
// backlog is full, so the kernel drops every further connection attempt unanswered. (Not
// on 127.0.0.1, where the calling window resumes listening on the same port.)
class SilentHost {
  public:
    SilentHost() {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK + 1);
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        auto* raw = reinterpret_cast<sockaddr*>(&address);
        socklen_t length = sizeof address;
        if (bind(listener_, raw, length) != 0 || listen(listener_, 0) != 0 ||
            getsockname(listener_, raw, &length) != 0) {
            return;
        }
        port = ntohs(address.sin_port);
        for (int& filler : fillers_) {
            filler = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            connect(filler, raw, sizeof address);
        }
        WindowRig::Settle(50);
    }
    ~SilentHost() {
        for (const int fd : {fillers_[0], fillers_[1], listener_}) {
            close(fd);
        }
    }

    int port = 0;

  private:
    int listener_ = -1;
    int fillers_[2] = {-1, -1};
};

enum class CallAnswer { Accept, Refuse, LeaveOpen };

// Windows in one process over 127.0.0.1 with every dialog answered by script: the call dialog
// is accepted, the call request answered as told, message dialogs send the window's scripted
// chat or are cancelled, the remote field and remote system windows are read and closed.
class NetRig {
  public:
    explicit NetRig(const char* size = "8")
        : answererAudio(new testing_audio::RecordingAudioBackend),
          callerAudio(new testing_audio::RecordingAudioBackend),
          answerer(std::vector<std::string>{}, NetPresets(size),
                   std::unique_ptr<AudioBackend>(answererAudio)),
          caller(std::vector<std::string>{}, NetPresets(size),
                 std::unique_ptr<AudioBackend>(callerAudio)) {
        Script(answerer);
        Script(caller);
        ListenOnLoopback(*answerer.form);
        answerer.form->Net().CallRequestDialog()->SetTickInterval(60000);
    }

    void Script(WindowRig& rig) {
        rig.onDialog = [this, &rig](QDialog* dialog) { Answer(rig, dialog); };
    }

    void Call(WindowRig& from, bool white, bool size8) {
        NetConnection& net = from.form->Net();
        net.SetPort(answerer.form->Net().ListeningPort(), "");
        from.form->Session().settings.callAsWhite = white;
        from.form->Session().settings.callOn8x8 = size8;
        net.CallDialog()->SetAddress(QStringLiteral("127.0.0.1"));
        net.NetMenuConnectClick();
    }

    // Calls, accepts and waits until both windows play.
    bool Connect(bool white = true, bool size8 = true) {
        callAnswer = CallAnswer::Accept;
        Call(caller, white, size8);
        return PumpUntil([this] {
            return answerer.form->Session().flags.networkGame &&
                   caller.form->Session().flags.networkGame;
        });
    }

    TReversiForm* Mover() {
        for (TReversiForm* form : {answerer.form.get(), caller.form.get()}) {
            const GameSession& s = form->Session();
            if (s.flags.networkGame && !s.position.gameOver &&
                s.position.sideToMove == s.settings.computerSide) {
                return form;
            }
        }
        return nullptr;
    }

    // The mover clicks its first legal square; true once the other window has played it too.
    bool PlayOneMove() {
        TReversiForm* mover = nullptr;
        if (!PumpUntil([&] { return (mover = Mover()) != nullptr; })) {
            return false;
        }
        TReversiForm* other =
            mover == answerer.form.get() ? caller.form.get() : answerer.form.get();
        const int count = mover->Session().record.Count();
        // A click while the board still animates is refused, as it is for a player.
        return PumpUntil([&] {
                   ClickSquare(*mover, FirstLegal(mover->Session().position));
                   return mover->Session().record.Count() == count + 1;
               }) &&
               PumpUntil([&] { return other->Session().record.Count() == count + 1; });
    }

    bool BoardsAgree() {
        const GameSession& a = answerer.form->Session();
        const GameSession& c = caller.form->Session();
        return BoardOf(*answerer.form) == BoardOf(*caller.form) &&
               a.position.sideToMove == c.position.sideToMove &&
               a.position.gameOver == c.position.gameOver;
    }

    // Declared before the windows, so the windows go first.
    CallAnswer callAnswer = CallAnswer::Accept;
    // Done once while the call request is open (with LeaveOpen).
    std::function<void()> whileAsked;
    // A dialog stays open while this holds for it (5 s at most), then is answered as usual.
    std::function<bool(QDialog*)> holdWhile;
    QStringList requestTexts;  // caller, colour and size, as the request showed them
    // Chat each window sends when its message dialog opens; empty: cancel.
    std::map<TReversiForm*, QString> chat;
    std::vector<std::string> remoteFields;
    QStringList remoteSystems;
    int messageDialogsOpened = 0;
    // Owned by the windows.
    testing_audio::RecordingAudioBackend* answererAudio;
    testing_audio::RecordingAudioBackend* callerAudio;

    WindowRig answerer;
    WindowRig caller;

  private:
    std::map<QDialog*, QElapsedTimer> heldSince_;

    bool Held(QDialog* dialog) {
        auto [since, first] = heldSince_.try_emplace(dialog);
        if (first) {
            since->second.start();
        }
        if (holdWhile(dialog) && since->second.elapsed() < 5000) {
            return true;
        }
        heldSince_.erase(since);
        return false;
    }

    void Answer(WindowRig& rig, QDialog* dialog) {
        if (auto* request = qobject_cast<TCallReq*>(dialog)) {
            requestTexts = {request->CallerText(), request->ColourText(), request->SizeText()};
            // Runs inside the request's own event loop, where the test cannot otherwise act.
            if (whileAsked) {
                const std::function<void()> action = std::move(whileAsked);
                whileAsked = nullptr;
                action();
            }
            if (callAnswer == CallAnswer::Accept) {
                request->accept();
            } else if (callAnswer == CallAnswer::Refuse) {
                request->reject();
            }
            return;
        }
        if (qobject_cast<TSendDlg*>(dialog) != nullptr && heldSince_.count(dialog) == 0) {
            ++messageDialogsOpened;
        }
        if (holdWhile && Held(dialog)) {
            return;
        }
        if (auto* send = qobject_cast<TSendDlg*>(dialog)) {
            const QString text =
                std::exchange(chat[qobject_cast<TReversiForm*>(send->parentWidget())], {});
            if (text.isEmpty()) {
                send->reject();
            } else {
                send->SetText(text);
                send->accept();
            }
            return;
        }
        if (auto* field = qobject_cast<TRemoteField*>(dialog)) {
            remoteFields.push_back(field->RemoteFieldText());
        } else if (auto* system = qobject_cast<TIPConfForm*>(dialog)) {
            remoteSystems << system->HostNameText() << system->AddressText();
        } else if (auto* final = qobject_cast<TFinalDlg*>(dialog)) {
            rig.finals.push_back(final->Message());
        }
        dialog->done(QDialog::Accepted);
    }
};

}  // namespace velmora::net_test
