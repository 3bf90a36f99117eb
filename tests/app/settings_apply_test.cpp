#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/settings_apply.h"
#include "dialogs_test_support.h"

namespace velmora {
namespace {

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
    void ApplyMusicOn() override { calls.push_back(session.settings.musicOn ? "music" : "quiet"); }
    void SyncMenuChecks() override { calls.push_back("menu checks"); }
    void RestartGame() override {
        calls.push_back("restart");
        session.position.Reset(session.settings.boardSize);
    }
    void ReloadSkins(const SkinChoice& from, const SkinChoice& to) override {
        calls.push_back("skins");
        before = from;
        after = to;
    }
    void FinishApply() override { calls.push_back("finish"); }

    // OK pressed with the dialog showing the settings except for what `change` alters.
    SettingsDialogChoices Apply(const std::function<void(SettingsDialogChoices&)>& change) {
        SettingsDialogChoices choices = ChoicesFromSettings(session.settings);
        change(choices);
        ApplySettingsDialog(choices, *this);
        return choices;
    }

    GameSession session;
    dialogs_test::ScriptedPrompter prompter;
    bool humanHasMoved = false;
    std::vector<std::string> calls;
    SkinChoice before, after;
};

// Only a counted game in progress against the computer, after the human's first move, asks before a
// level or algorithm change makes it a training game; No keeps the old value, in the dialog too.
TEST(SettingsApplyTest, LevelOrAlgorithmChangeAsksOnlyWhenACountedGameIsAtStake) {
    struct Case {
        const char* name;
        bool moved, over, versusComputer, network, training;
        std::vector<bool> answers;
        int level, algorithm;  // chosen in the dialog
        std::size_t questions;
        int levelAfter, algorithmAfter;
        bool trainingAfter;
    };
    const std::vector<Case> cases = {
        {"before the first move", false, false, true, false, false, {}, 1, 0, 0, 1, 0, false},
        {"yes", true, false, true, false, false, {true}, 3, 0, 1, 3, 0, true},
        {"no", true, false, true, false, false, {false}, 6, 0, 1, 0, 0, false},
        {"both, yes once", true, false, true, false, false, {true}, 4, 1, 1, 4, 1, true},
        {"both, no twice", true, false, true, false, false, {false, false}, 4, 1, 2, 0, 0, false},
        {"already training", true, false, true, false, true, {}, 2, 1, 0, 2, 1, true},
        {"finished", true, true, true, false, false, {}, 2, 1, 0, 2, 1, false},
        {"two players", true, false, false, false, false, {}, 2, 1, 0, 2, 1, false},
        {"network", true, false, true, true, false, {}, 8, 1, 0, 8, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost host;
        host.humanHasMoved = c.moved;
        host.session.position.gameOver = c.over;
        host.session.settings.versusComputer = c.versusComputer;
        host.session.flags.networkGame = c.network;
        host.session.flags.trainingGame = c.training;
        for (const bool answer : c.answers) {
            host.prompter.Answer(answer);
        }
        const SettingsDialogChoices shown = host.Apply([&](SettingsDialogChoices& choices) {
            choices.levelIndex = c.level;
            choices.algorithmIndex = c.algorithm;
        });
        ASSERT_EQ(host.prompter.questions.size(), c.questions);
        for (const std::string& question : host.prompter.questions) {
            EXPECT_EQ(question,
                      "Похоже, что Вы решили изменить уровень игры компьютера.\r"
                      "Игра станет тренировочной (статистика не будет записана)!\r"
                      "Вы действительно хотите сделать это?");
        }
        const Settings& s = host.session.settings;
        EXPECT_EQ(s.LevelIndex(), c.levelAfter);
        EXPECT_EQ(s.level, std::max(c.levelAfter, 1));
        EXPECT_EQ(s.advancedEngine, c.algorithmAfter == 1);
        EXPECT_EQ(shown.levelIndex, c.levelAfter);
        EXPECT_EQ(shown.algorithmIndex, c.algorithmAfter);
        EXPECT_EQ(host.session.flags.trainingGame, c.trainingAfter);
        EXPECT_EQ(host.calls.size(), 5u) << "no new game";
    }
}

// A new game only for another board size, or another side or opponent outside a network game; it
// comes before the reload, and the computer gets its turn last.
TEST(SettingsApplyTest, ANewGameOnlyForAnotherSizeSideOrOpponent) {
    struct Case {
        const char* name;
        bool network;
        int size, computerSide;
        bool versusComputer, restart;
    };
    for (const Case& c :
         {Case{"nothing", false, 8, Black, true, false}, Case{"size", false, 10, Black, true, true},
          Case{"side", false, 8, White, true, true}, Case{"opponent", false, 8, Black, false, true},
          Case{"network keeps its own", true, 8, White, false, false}}) {
        SCOPED_TRACE(c.name);
        FakeHost host;
        host.session.flags.networkGame = c.network;
        host.Apply([&](SettingsDialogChoices& choices) {
            choices.boardSize = c.size;
            choices.computerSide = c.computerSide;
            choices.versusComputer = c.versusComputer;
        });
        const Settings& s = host.session.settings;
        EXPECT_EQ(s.boardSize, c.size);
        EXPECT_EQ(host.session.position.boardSize, c.size);
        EXPECT_EQ(host.before, SkinChoice{});
        EXPECT_EQ(host.after, (SkinChoice{0, 0, 0, 0, c.size}));
        EXPECT_EQ(s.computerSide, c.network ? Black : c.computerSide);
        EXPECT_EQ(s.versusComputer, c.network || c.versusComputer);
        EXPECT_TRUE(s.noviceLevel);
        std::vector<std::string> expected = {"repaint", "menu checks", "music", "skins", "finish"};
        if (c.restart) {
            expected.insert(expected.begin() + 3, "restart");
        }
        EXPECT_EQ(host.calls, expected);
    }
}

TEST(SettingsApplyTest, SkinsTogglesAndMusicFollowTheBoxesWithoutANewGame) {
    FakeHost host;
    host.humanHasMoved = true;
    host.Apply([](SettingsDialogChoices& c) {
        c.cursorSkin = c.borderSkin = 1;
        c.musicOn = c.soundOn = c.animationOn = c.useTray = false;
        c.showPreviousMove = c.showPossibleMoves = false;
    });
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"repaint", "menu checks", "quiet", "skins", "finish"}));
    EXPECT_EQ(host.after, (SkinChoice{0, 1, 0, 1, 8}));
    const Settings& s = host.session.settings;
    EXPECT_FALSE(s.musicOn || s.soundOn || s.animationOn || s.useTray || s.showPreviousMove ||
                 s.showPossibleMoves);
}

}  // namespace
}  // namespace velmora
