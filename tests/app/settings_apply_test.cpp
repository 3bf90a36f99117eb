#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/settings_apply.h"
#include "dialogs_test_support.h"
#include "game/game_texts.h"

namespace velmora {
namespace {

using dialogs_test::ScriptedPrompter;

// The main window's side of the apply step, recording what it was asked to do.
class FakeHost : public SettingsApplyHost {
  public:
    FakeHost() {
        session.position.Reset(8);
        session.record.NewRecord(8);
    }

    GameSession& Session() override { return session; }
    Prompter& Prompts() override { return prompter; }
    bool NoHumanMoveYet() const override { return !humanHasMoved; }
    void RepaintWindow() override { calls.push_back("repaint"); }
    void ApplyMusicOn() override {
        calls.push_back(session.settings.musicOn ? "music on" : "music off");
    }
    void SyncMenuChecks() override { calls.push_back("menu checks"); }
    void RestartGame() override {
        calls.push_back("restart");
        session.position.Reset(session.settings.boardSize);
        session.flags.trainingGame = false;
    }
    void ReloadSkins(const SkinChoice& from, const SkinChoice& to) override {
        calls.push_back("skins");
        before = from;
        after = to;
    }
    void FinishApply() override { calls.push_back("finish"); }

    bool Called(const std::string& what) const {
        return std::find(calls.begin(), calls.end(), what) != calls.end();
    }

    GameSession session;
    ScriptedPrompter prompter;
    bool humanHasMoved = false;
    std::vector<std::string> calls;
    SkinChoice before, after;
};

class SettingsApplyTest : public ::testing::Test {
  protected:
    // OK pressed with the dialog showing the settings except for what `change` alters.
    void Apply(const std::function<void(SettingsDialogChoices&)>& change) {
        choices = ChoicesFromSettings(host.session.settings);
        change(choices);
        ApplySettingsDialog(choices, host);
    }

    FakeHost host;
    SettingsDialogChoices choices;
};

TEST_F(SettingsApplyTest, LevelChangeBeforeTheHumansFirstMoveAsksNothing) {
    Apply([](SettingsDialogChoices& c) { c.levelIndex = 5; });
    EXPECT_TRUE(host.prompter.questions.empty());
    EXPECT_EQ(host.session.settings.level, 5);
    EXPECT_FALSE(host.session.settings.noviceLevel);
    EXPECT_FALSE(host.session.flags.trainingGame);
    EXPECT_FALSE(host.Called("restart"));
}

TEST_F(SettingsApplyTest, LevelChangeAfterTheFirstMoveAnsweredYesMakesATrainingGame) {
    host.humanHasMoved = true;
    host.prompter.Answer(true);
    Apply([](SettingsDialogChoices& c) { c.levelIndex = 3; });
    ASSERT_EQ(host.prompter.questions.size(), 1u);
    EXPECT_EQ(host.prompter.questions[0], kLevelChangeQuestion);
    EXPECT_EQ(host.session.settings.level, 3);
    EXPECT_TRUE(host.session.flags.trainingGame);
    EXPECT_FALSE(host.Called("restart"));

    // Already a training game: a later algorithm change in the same game asks nothing.
    Apply([](SettingsDialogChoices& c) { c.algorithmIndex = 1; });
    EXPECT_EQ(host.prompter.questions.size(), 1u);
    EXPECT_TRUE(host.session.settings.advancedEngine);
}

TEST_F(SettingsApplyTest, LevelChangeAnsweredNoRestoresTheLevelAndTheList) {
    host.humanHasMoved = true;
    host.prompter.Answer(false);
    Apply([](SettingsDialogChoices& c) { c.levelIndex = 6; });
    EXPECT_EQ(host.prompter.questions.size(), 1u);
    // Novice before, novice after, and the list shows index 0 again.
    EXPECT_EQ(host.session.settings.level, 1);
    EXPECT_TRUE(host.session.settings.noviceLevel);
    EXPECT_EQ(choices.levelIndex, 0);
    EXPECT_FALSE(host.session.flags.trainingGame);
}

TEST_F(SettingsApplyTest, LevelAndAlgorithmTogetherAskOnceOnYesAndTwiceOnNo) {
    host.humanHasMoved = true;
    host.prompter.Answer(true);
    Apply([](SettingsDialogChoices& c) {
        c.levelIndex = 4;
        c.algorithmIndex = 1;
    });
    EXPECT_EQ(host.prompter.questions.size(), 1u);
    EXPECT_EQ(host.session.settings.level, 4);
    EXPECT_TRUE(host.session.settings.advancedEngine);

    FakeHost refusing;
    refusing.humanHasMoved = true;
    refusing.prompter.Answer(false);
    refusing.prompter.Answer(false);
    SettingsDialogChoices c = ChoicesFromSettings(refusing.session.settings);
    c.levelIndex = 4;
    c.algorithmIndex = 1;
    ApplySettingsDialog(c, refusing);
    EXPECT_EQ(refusing.prompter.questions.size(), 2u);
    EXPECT_EQ(refusing.session.settings.LevelIndex(), 0);
    EXPECT_FALSE(refusing.session.settings.advancedEngine);
    EXPECT_EQ(c.levelIndex, 0);
    EXPECT_EQ(c.algorithmIndex, 0);
    EXPECT_FALSE(refusing.session.flags.trainingGame);
}

TEST_F(SettingsApplyTest, NoQuestionInAFinishedTwoPlayerOrNetworkGame) {
    host.humanHasMoved = true;
    host.session.position.gameOver = true;
    Apply([](SettingsDialogChoices& c) { c.levelIndex = 2; });
    host.session.position.gameOver = false;
    host.session.settings.versusComputer = false;
    Apply([](SettingsDialogChoices& c) { c.algorithmIndex = 1; });
    host.session.settings.versusComputer = true;
    host.session.flags.networkGame = true;
    Apply([](SettingsDialogChoices& c) { c.levelIndex = 8; });
    EXPECT_TRUE(host.prompter.questions.empty());
    EXPECT_FALSE(host.session.flags.trainingGame);
    EXPECT_EQ(host.session.settings.level, 8);
}

TEST_F(SettingsApplyTest, NoviceKeptWhenNothingChanges) {
    Apply([](SettingsDialogChoices&) {});
    EXPECT_EQ(host.session.settings.level, 1);
    EXPECT_TRUE(host.session.settings.noviceLevel);
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"repaint", "menu checks", "music on", "skins", "finish"}));
    EXPECT_EQ(host.before, host.after);
}

TEST_F(SettingsApplyTest, CursorOnlyChangesTheCursorAndKeepsTheGame) {
    host.humanHasMoved = true;
    Apply([](SettingsDialogChoices& c) { c.cursorSkin = 1; });
    EXPECT_FALSE(host.Called("restart"));
    EXPECT_EQ(host.session.settings.cursorSkin, 1);
    SkinChoice expected = host.before;
    expected.cursorSkin = 1;
    EXPECT_EQ(host.after, expected);
    EXPECT_EQ(host.before.cursorSkin, 0);
}

TEST_F(SettingsApplyTest, BoardSizeChangeRestartsTheGameOfTheNewSize) {
    host.session.position.board[45] = White;  // a game in progress
    Apply([](SettingsDialogChoices& c) { c.boardSize = 10; });
    EXPECT_TRUE(host.Called("restart"));
    EXPECT_EQ(host.session.settings.boardSize, 10);
    EXPECT_EQ(host.session.position.boardSize, 10);
    EXPECT_EQ(host.before.boardSize, 8);
    EXPECT_EQ(host.after.boardSize, 10);
    // The restart comes before the reload, and the computer gets its turn last.
    const auto at = [&](const std::string& what) {
        return std::find(host.calls.begin(), host.calls.end(), what) - host.calls.begin();
    };
    EXPECT_LT(at("restart"), at("skins"));
    EXPECT_EQ(host.calls.back(), "finish");
}

TEST_F(SettingsApplyTest, SideOrOpponentChangeRestartsExceptInANetworkGame) {
    Apply([](SettingsDialogChoices& c) { c.computerSide = White; });
    EXPECT_TRUE(host.Called("restart"));
    EXPECT_EQ(host.session.settings.computerSide, White);

    host.calls.clear();
    Apply([](SettingsDialogChoices& c) { c.versusComputer = false; });
    EXPECT_TRUE(host.Called("restart"));
    EXPECT_FALSE(host.session.settings.versusComputer);

    host.calls.clear();
    host.session.flags.networkGame = true;
    Apply([](SettingsDialogChoices& c) {
        c.versusComputer = true;
        c.computerSide = Black;
    });
    EXPECT_FALSE(host.Called("restart"));
    EXPECT_FALSE(host.session.settings.versusComputer);
    EXPECT_EQ(host.session.settings.computerSide, White);
}

TEST_F(SettingsApplyTest, TogglesAndMusicFollowTheBoxes) {
    Apply([](SettingsDialogChoices& c) {
        c.musicOn = false;
        c.soundOn = false;
        c.animationOn = false;
        c.useTray = false;
        c.showPreviousMove = false;
        c.showPossibleMoves = false;
    });
    const Settings& s = host.session.settings;
    EXPECT_FALSE(s.musicOn);
    EXPECT_FALSE(s.soundOn);
    EXPECT_FALSE(s.animationOn);
    EXPECT_FALSE(s.useTray);
    EXPECT_FALSE(s.showPreviousMove);
    EXPECT_FALSE(s.showPossibleMoves);
    EXPECT_TRUE(host.Called("music off"));
    EXPECT_FALSE(host.Called("restart"));
}

}  // namespace
}  // namespace velmora
