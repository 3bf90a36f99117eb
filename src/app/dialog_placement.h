#pragma once

class QWidget;

namespace velmora {

// Dialogs placed by the program stand centred on the main window.
void CentreOn(QWidget* dialog, const QWidget* mainWindow);

}  // namespace velmora
