#pragma once

#include "game/game_ports.h"
#include "game/game_session.h"
#include "game/prompter.h"
#include "game/search_tag.h"

namespace velmora {

class MoveReview;

// Drives a game on the main window: new games, the human's clicks, the computer's replies,
// the peer's moves, passes, the end of the game and the statistics, and the status bar.
// Two waits inside (the computer's search and a running move animation) keep the window
// alive, so every step re-checks the game after them.
class GameFlow {
  public:
    struct Ports {
        GameView& view;
        BoardDisplay& display;
        EngineRunner& engine;
        EventWaiter& waiter;
        Prompter& prompter;
        EffectPlayer playEffect;
        NetLink* net = nullptr;
    };

    GameFlow(GameSession& session, Ports ports);

    GameSession& Session() { return session_; }
    const GameSession& Session() const { return session_; }
    void SetReview(MoveReview* review) { review_ = review; }
    void SetNetLink(NetLink* net) { ports_.net = net; }

    // The engine's new-game step: start position of the current board size, White to
    // move, an empty record, not a training game.
    void StartEngineGame();
    // Game > New.
    void NewGameCommand();
    // Mouse move over the window, in client pixels.
    void PointerMove(int x, int y);
    // A left click on the board (also Enter and Space): plays the cursor square.
    void BoardClick();
    // The turn engine, after every move and whenever the computer may have to move.
    void AfterMove(bool computerFirst);
    // Game > Hint: shows the computer's choice for the side to move.
    void HintCommand();

    // The peer's move message arrived; ApplyRemoteMove then plays it if it is legal.
    void SetPeerMovePending() { peerMovePending_ = true; }
    void ApplyRemoteMove(int col, int row);
    // The game-flow part of starting a network game (the connection code sets the flags).
    void BeginNetworkGame();

    void UpdateStatus();
    void UpdateMoveCounter();
    void DisableUndoRedo();
    void EnableUndoRedo();
    // The human has not yet moved in a game against the computer.
    bool NoHumanMoveYet() const;
    // Texts of the three panels at a new game.
    void ShowNewGameStatus();

    bool Reviewing() const { return reviewing_; }
    // Enters or leaves review mode together with its two continue buttons.
    void SetReviewing(bool value);
    // The computer is choosing a move; nothing may change the game meanwhile.
    bool Thinking() const { return ports_.engine.Busy(); }

  private:
    int Size() const { return session_.position.boardSize; }
    bool LocalTurn() const;
    bool AnimationRunning() const;
    // Waits for a running move animation; false when the game changed meanwhile.
    bool WaitForAnimation();
    // Lets the last move's animation finish before a message covers it; false when another
    // game began or the window closed meanwhile.
    bool LetAnimationFinish(unsigned serial);
    void PlayMoveOnBoard(int square);
    SearchTag TagSearch() const;
    // The answer is still a move of the position the search was asked about.
    bool AnswerStillFits(const SearchTag& tag, int answer) const;
    // Runs the search with the hourglass; restores the pointer unless a network start came.
    // Answers NoMove when the game changed while the computer thought.
    int ComputeWithHourglass(const SearchTag& tag);
    // The refresh step of AfterMove; false when the game is over.
    bool RefreshAfterMove();
    void FinishGame(int whiteCount, int blackCount);
    bool CountResult(int whiteCount, int blackCount);
    void Play(int effect) const;

    GameSession& session_;
    Ports ports_;
    MoveReview* review_ = nullptr;
    bool reviewing_ = false;
    bool peerMovePending_ = false;
    // Set by a network start while a computer move or hint waits: the pointer is left alone.
    bool netStartMark_ = false;
    // Counts new games, so a step that waited in a dialog knows whether its game still runs.
    unsigned gameSerial_ = 0;
};

}  // namespace velmora
