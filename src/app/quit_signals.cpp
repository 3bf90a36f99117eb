#include "app/quit_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <csignal>

namespace velmora {

namespace {

constexpr int kQuitSignals[] = {SIGTERM, SIGINT, SIGHUP};

int signalPipe[2] = {-1, -1};
struct sigaction previous[std::size(kQuitSignals)];

extern "C" void WriteSignalToPipe(int signalNumber) {
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t ignored = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        signalPipe[0] = signalPipe[1] = -1;
        return;
    }
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { ReadPipe(); });
    struct sigaction action {};
    action.sa_handler = WriteSignalToPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kQuitSignals); ++i) {
        ::sigaction(kQuitSignals[i], &action, &previous[i]);
    }
}

QuitSignals::~QuitSignals() {
    if (signalPipe[0] < 0) {
        return;
    }
    for (std::size_t i = 0; i < std::size(kQuitSignals); ++i) {
        ::sigaction(kQuitSignals[i], &previous[i], nullptr);
    }
    delete notifier_;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void QuitSignals::ReadPipe() {
    unsigned char byte = 0;
    while (::read(signalPipe[0], &byte, 1) == 1) {
        emit quitRequested(byte);
    }
}

void CloseOnQuitSignals(QuitSignals& watcher, QWidget& window) {
    QObject::connect(&watcher, &QuitSignals::quitRequested, &window, [&window](int) {
        window.close();
        // Leaves every running loop, the open dialogs' too.
        QCoreApplication::exit(0);
    });
}

}  // namespace velmora
