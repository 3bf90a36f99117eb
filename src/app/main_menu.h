#pragma once

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

namespace velmora {

// The main window's menu tree with its Russian captions, hints and shortcuts. The window
// connects the actions; toggles and radio groups keep their own check marks.
struct MainMenu {
    // Игра
    QMenu* gameMenu = nullptr;
    QAction* newGame = nullptr;
    QAction* hint = nullptr;
    QAction* options = nullptr;
    QAction* exit = nullptr;
    // Оформление
    QMenu* mediaMenu = nullptr;
    QAction* figures[1] = {};
    QAction* cursors[2] = {};
    QAction* helps[1] = {};
    QAction* borders[2] = {};
    QAction* animation = nullptr;
    QAction* sound = nullptr;
    QAction* music = nullptr;
    QAction* soundVolume = nullptr;
    QAction* musicSource = nullptr;
    // Сеть
    QMenu* netMenu = nullptr;
    QAction* netConnect = nullptr;
    QAction* netListen = nullptr;
    QAction* netDisconnect = nullptr;
    QAction* netSendMessage = nullptr;
    QAction* netShowIp = nullptr;
    // Партия
    QMenu* listMenu = nullptr;
    QAction* undoMove = nullptr;
    QAction* redoMove = nullptr;
    QAction* showMoves = nullptr;
    QAction* save = nullptr;
    QAction* load = nullptr;
    QAction* copyMatch = nullptr;
    QAction* pasteMatch = nullptr;
    QAction* analysis = nullptr;
    // Информация
    QMenu* helpMenu = nullptr;
    QAction* help = nullptr;
    QAction* dayTip = nullptr;
    QAction* statistics = nullptr;
    QAction* about = nullptr;
};

// Builds the tree into the bar, with every text, hint and shortcut, and the initial states
// (toggles checked; Disconnect, Message, Undo and Redo disabled).
MainMenu BuildMainMenu(QMenuBar* bar, QObject* owner);

}  // namespace velmora
