#pragma once

#include <QString>

#include "game/prompter.h"

class QWidget;

namespace velmora {

// Questions and messages as Russian message boxes over the main window.
class QtPrompter : public Prompter {
  public:
    explicit QtPrompter(QWidget* parent) : parent_(parent) {}

    bool AskYesNo(const std::string& text) override;
    void Inform(const std::string& text) override;
    void ReportError(const std::string& text) override;

  private:
    QWidget* parent_;
};

// '\r' breaks lines in the program's texts; Qt wants '\n'.
QString ToDisplayText(const std::string& text);

}  // namespace velmora
