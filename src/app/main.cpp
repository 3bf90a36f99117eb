#include <QIcon>
#include <QLockFile>
#include <QScreen>
#include <QStandardPaths>

#include <memory>

#include "app/quit_signals.h"
#include "app/reversi_dialogs.h"
#include "app/reversi_form.h"
#include "app/startup_form.h"
#include "app/velmora_application.h"

int main(int argc, char** argv) {
    velmora::VelmoraApplication app(argc, argv);

    // Marks a running copy for other processes; a second copy still starts normally.
    QLockFile instanceMark(QStandardPaths::writableLocation(QStandardPaths::TempLocation) +
                           QStringLiteral("/VelmoraReversi.lock"));
    instanceMark.tryLock(0);

    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/velmora-reversi-%1.png").arg(size));
    }
    app.setWindowIcon(icon);

    velmora::ReversiFormOptions options;
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        options.arguments.push_back(args[i].toStdString());
    }
    // The logo stands while the main window and its dialogs are made.
    auto logo = std::make_unique<velmora::TStartUpForm>();
    logo->ShowNow();
    velmora::TReversiForm window(std::move(options));
    if (window.StartAborted()) {
        return 0;
    }
    velmora::ReversiDialogs dialogs(window);
    logo.reset();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->availableGeometry();
        window.move(desktop.center() - window.rect().center());
    }
    velmora::QuitSignals quitSignals;
    velmora::CloseOnQuitSignals(quitSignals, window);
    window.show();
    return app.exec();
}
