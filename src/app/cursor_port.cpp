#include "app/cursor_port.h"

#include <QCursor>
#include <QGuiApplication>

namespace velmora {

namespace {

class PlatformCursorPort : public CursorPort {
  public:
    bool MoveTo(const QPoint& global) override {
        // Wayland ignores the request and only prints a warning for it.
        if (QGuiApplication::platformName().startsWith(QStringLiteral("wayland"))) {
            return false;
        }
        QCursor::setPos(global);
        return QCursor::pos() == global;
    }
};

}  // namespace

std::unique_ptr<CursorPort> CreatePlatformCursorPort() {
    return std::make_unique<PlatformCursorPort>();
}

}  // namespace velmora
