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
    if (!dialog->isVisible()) {
        // A dialog not yet shown has no frame: count the main window's decoration instead.
        const QRect inner = mainWindow->geometry();
        size += QSize(frame.width() - inner.width(), frame.height() - inner.height());
    }
    dialog->move(frame.center().x() - size.width() / 2, frame.center().y() - size.height() / 2);
}

}  // namespace velmora
