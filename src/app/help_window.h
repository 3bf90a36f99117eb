#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace velmora {

// The help text in a read-only window of the program's own, for desktops that have no
// program to show a text file with. It is not modal and goes away when closed.
class THelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit THelpWindow(const QString& text, QWidget* parent = nullptr);

    QString Text() const;

    // Reads the file (UTF-8) and shows it beside mainWindow, raising the window already
    // showing it rather than opening a second one. Null when the file cannot be read.
    static THelpWindow* ShowFile(const QString& path, QWidget* mainWindow);

  private:
    QPlainTextEdit* view_ = nullptr;
};

}  // namespace velmora
