#include "app/dialog_placement.h"

#include <QWidget>

namespace velmora {

void CentreOn(QWidget* dialog, const QWidget* mainWindow) {
    if (dialog == nullptr || mainWindow == nullptr) {
        return;
    }
    dialog->adjustSize();
    const QRect frame = mainWindow->frameGeometry();
    QSize size = dialog->frameGeometry().size();
    // Before its first showing a window knows no frame of its own; it will get the same
    // decoration as the main window.
    if (size == dialog->size()) {
        size += frame.size() - mainWindow->size();
    }
    dialog->move(frame.center().x() - size.width() / 2, frame.center().y() - size.height() / 2);
}

}  // namespace velmora
