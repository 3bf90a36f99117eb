#include "app/command_lock.h"

namespace velmora {

int CommandLock::Add(Getter isEnabled, Setter setEnabled) {
    commands_.push_back(Command{std::move(isEnabled), std::move(setEnabled)});
    return static_cast<int>(commands_.size()) - 1;
}

void CommandLock::Engage() {
    if (depth_++ > 0) {
        return;
    }
    for (Command& command : commands_) {
        command.saved = command.isEnabled();
        command.setEnabled(false);
    }
}

void CommandLock::Release() {
    if (depth_ == 0 || --depth_ > 0) {
        return;
    }
    for (Command& command : commands_) {
        command.setEnabled(command.saved);
    }
}

void CommandLock::Set(int handle, bool enabled) {
    Command& command = commands_[static_cast<std::size_t>(handle)];
    if (Engaged()) {
        command.saved = enabled;
    } else {
        command.setEnabled(enabled);
    }
}

}  // namespace velmora
