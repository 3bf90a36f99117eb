#include "app/velmora_application.h"

#include <QMessageBox>
#include <exception>

#include "app/app_titles.h"
#include "app/qt_translation.h"

namespace velmora {

void ConfigureApplication(QApplication& app) {
    // No display name: Qt would append it to every window's caption.
    QApplication::setApplicationName(QString::fromUtf8(kProgramTitle));
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    QApplication::setDesktopFileName(QStringLiteral("velmora-reversi"));
    InstallQtTranslation(app);
}

VelmoraApplication::VelmoraApplication(int& argc, char** argv) : QApplication(argc, argv) {
    ConfigureApplication(*this);
}

bool VelmoraApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        QMessageBox::critical(activeWindow(), QString::fromUtf8(kProgramTitle),
                              QString::fromUtf8(error.what()));
    } catch (...) {
        QMessageBox::critical(activeWindow(), QString::fromUtf8(kProgramTitle),
                              QStringLiteral("Непредвиденная ошибка."));
    }
    return false;
}

}  // namespace velmora
