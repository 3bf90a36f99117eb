#pragma once

#include <QString>
#include <functional>

namespace velmora {

// Opens a document with the desktop's default program. failed runs later on the GUI thread
// when the desktop has no program for it or that program could not be started.
using DocumentOpener =
    std::function<void(const QString& path, const std::function<void()>& failed)>;

// The desktop's opener: xdg-open, whose exit status tells whether a program took the file;
// without it, Qt's own, which can only tell that it could not start anything.
void OpenWithDesktop(const QString& path, const std::function<void()>& failed);

}  // namespace velmora
