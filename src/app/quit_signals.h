#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace velmora {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the GUI thread, so a logout, a
// shutdown or a kill ends the program through its normal close path instead of dropping
// what the player has. The handler itself only writes the signal's number into a pipe
// (the one thing it may safely do); a socket notifier reads it on the GUI thread. One
// instance at a time; the previous handlers come back when it goes.
class QuitSignals : public QObject {
    Q_OBJECT

  public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

  signals:
    void quitRequested(int signalNumber);

  private:
    void ReadPipe();

    QSocketNotifier* notifier_ = nullptr;
};

// Closes the window the normal way when a quit signal arrives (it saves what the player
// has), then ends the application even if a modal dialog or a wait is open.
void CloseOnQuitSignals(QuitSignals& watcher, QWidget& window);

}  // namespace velmora
