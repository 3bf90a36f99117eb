#pragma once

#include <QApplication>

namespace velmora {

// The application object. An error that escapes an event handler is shown in a message box
// and the program goes on with the next event.
class VelmoraApplication : public QApplication {
  public:
    VelmoraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Names the application and installs Qt's Russian texts: the constructor's work.
void ConfigureApplication(QApplication& app);

}  // namespace velmora
