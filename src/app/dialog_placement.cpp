#include "app/dialog_placement.h"

#include <QWidget>

namespace velmora {

void CentreOn(QWidget* dialog, const QWidget* mainWindow) {
    if (dialog == nullptr || mainWindow == nullptr) {
        return;
    }
    dialog->adjustSize();
    // Client areas rather than frames: a window that has not been shown yet knows no frame,
    // and with the same decoration on both the frames come out centred as well.
    QRect area(QPoint(0, 0), dialog->size());
    area.moveCenter(mainWindow->geometry().center());
    dialog->setGeometry(area);
}

}  // namespace velmora
