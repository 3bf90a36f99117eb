#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>

namespace velmora::net_test {

inline void EnsureApplication() {
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "test_net";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

// Runs the event loop until done() holds or the time is up; returns done().
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QEventLoop loop;
        QTimer::singleShot(2, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

inline void Pump(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// A raw TCP peer on the loopback address that writes exactly the bytes it is given.
class RawPeer {
  public:
    explicit RawPeer(int port) {
        socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    }
    bool WaitConnected() {
        return PumpUntil([this] { return socket.state() == QAbstractSocket::ConnectedState; });
    }
    void Write(const QByteArray& bytes) {
        socket.write(bytes);
        socket.flush();
    }
    // Writes and lets the other end take the bytes as a read of their own.
    void Send(const QByteArray& bytes) {
        Write(bytes);
        Pump(5);
    }
    // Everything received so far, gathered while pumping.
    QByteArray Received() {
        received += socket.readAll();
        return received;
    }
    bool WaitReceived(const QByteArray& bytes, int timeoutMs = 5000) {
        return PumpUntil([&] { return Received().contains(bytes); }, timeoutMs);
    }
    bool WaitClosed(int timeoutMs = 5000) {
        return PumpUntil(
            [this] {
                Received();
                return socket.state() == QAbstractSocket::UnconnectedState;
            },
            timeoutMs);
    }

    QTcpSocket socket;
    QByteArray received;
};

}  // namespace velmora::net_test
