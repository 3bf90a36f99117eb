#pragma once

#include <functional>
#include <vector>

namespace velmora {

// Greys every command that could change the game while the computer answers and gives each
// its own state back afterwards. A command switched while the lock holds (the computer's
// fixed opening, a network start) takes its new state when the lock lets go, so the lock
// never undoes a change made under it.
class CommandLock {
  public:
    using Getter = std::function<bool()>;
    using Setter = std::function<void(bool)>;

    // Registers a command by how to read and how to switch it; returns its handle.
    int Add(Getter isEnabled, Setter setEnabled);

    // Nested holds count; only the outermost one switches anything.
    void Engage();
    void Release();
    bool Engaged() const { return depth_ > 0; }

    // Switches a command now, or, while the lock holds, when it lets go.
    void Set(int handle, bool enabled);

  private:
    struct Command {
        Getter isEnabled;
        Setter setEnabled;
        bool saved = false;
    };
    std::vector<Command> commands_;
    int depth_ = 0;
};

}  // namespace velmora
