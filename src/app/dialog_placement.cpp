#include "app/dialog_placement.h"

#include <QWidget>

namespace velmora {

void CentreOn(QWidget* dialog, const QWidget* mainWindow) {
    if (dialog == nullptr || mainWindow == nullptr) {
        return;
    }
    dialog->adjustSize();
    const QRect frame = mainWindow->frameGeometry();
    const QSize size = dialog->frameGeometry().size();
    dialog->move(frame.center().x() - size.width() / 2, frame.center().y() - size.height() / 2);
}

}  // namespace velmora
