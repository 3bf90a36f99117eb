#include "app/velmora_application.h"

#include <QMessageBox>
#include <exception>

namespace velmora {

VelmoraApplication::VelmoraApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Velmora Reversi 4.00"));
    setApplicationDisplayName(QStringLiteral("Velmora Reversi 4.00"));
    setOrganizationName(QStringLiteral("Velmora"));
    setDesktopFileName(QStringLiteral("velmora-reversi"));
}

bool VelmoraApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        QMessageBox::critical(activeWindow(), QStringLiteral("Вельморные Реверси"),
                              QString::fromUtf8(error.what()));
    } catch (...) {
        QMessageBox::critical(activeWindow(), QStringLiteral("Вельморные Реверси"),
                              QStringLiteral("Непредвиденная ошибка."));
    }
    return false;
}

}  // namespace velmora
