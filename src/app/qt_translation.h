#pragma once

#include <QString>

class QCoreApplication;

namespace velmora {

// Qt's own texts (the standard dialogs' buttons, labels and questions) in Russian, from the
// translations Qt installs; folder empty means Qt's translations folder. False when the
// translation is missing: the dialogs then keep Qt's English texts.
bool InstallQtTranslation(QCoreApplication& app, const QString& folder = {});

}  // namespace velmora
