#pragma once

#include <QPoint>
#include <QString>

class QAction;
class QWidget;

namespace velmora {

// The menu items the connection switches: the network menu, and the commands a network game
// locks (Hint, Save match, Load match).
struct NetMenuItems {
    QAction* connect = nullptr;
    QAction* listen = nullptr;
    QAction* disconnect = nullptr;
    QAction* sendMessage = nullptr;
    QAction* showIp = nullptr;
    QAction* hint = nullptr;
    QAction* save = nullptr;
    QAction* load = nullptr;
};

// What the connection needs of the main window besides the game itself.
class NetWindow {
  public:
    virtual ~NetWindow() = default;

    // Parent of the dialogs and of the progress box.
    virtual QWidget* Widget() = 0;
    virtual void CentreDialog(QWidget* dialog) = 0;
    // The caption: the application title, followed by " + " and the peer when there is one.
    virtual void ShowPeerInCaption(const QString& peer) = 0;
    // Restores a minimised or hidden window, raises it and removes the tray icon.
    virtual void BringToFront() = 0;
    // A network game of the other board size: a fresh position of that size, its images
    // and the window laid out around it.
    virtual void ChangeBoardSize(int size) = 0;
    // The settings dialog's opponent, side, level, size and algorithm controls.
    virtual void LockSettingsForNetGame(bool locked) = 0;
    // Where a progress box stands on the window.
    virtual QPoint ProgressBoxPosition() = 0;
    virtual void PlayEffect(int effect) = 0;
};

}  // namespace velmora

namespace velmora {

// The effects network play sounds (indices of the effect table).
inline constexpr int kConnectEffect = 0;
inline constexpr int kDisconnectEffect = 2;
inline constexpr int kMessageEffect = 4;

}  // namespace velmora
