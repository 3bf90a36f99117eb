#pragma once

#include <string>

namespace velmora {

// Every question and message box the game shows goes through this, so that the game
// flow runs in tests with scripted answers. Texts are UTF-8; '\r' breaks lines.
class Prompter {
  public:
    virtual ~Prompter() = default;

    // A Yes/No question; true only for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // A message with an OK button.
    virtual void Inform(const std::string& text) = 0;
    // A failure the player must know about (a file that cannot be read or written...).
    virtual void ReportError(const std::string& text) = 0;
};

}  // namespace velmora
