#include <gtest/gtest.h>

#include "app/statistics_form.h"
#include "dialogs_test_support.h"

namespace velmora {
namespace {

using dialogs_test::OnNextModal;

constexpr int k8Normal = 0;
constexpr int k8Advanced = 1;
constexpr int k10Advanced = 3;

void Play(StatisticsTable& table, int block, int level, int wins, int losses, int draws) {
    for (const auto& [count, result] :
         {std::pair{wins, GameResult::Win}, std::pair{losses, GameResult::Loss},
          std::pair{draws, GameResult::Draw}}) {
        for (int i = 0; i < count; ++i) {
            table.RecordResult(block, level, result);
        }
    }
}

class StatisticsFormTest : public dialogs_test::DialogFixture {
  protected:
    static QStringList Values(const QWidget& form, const char* row) {
        QStringList values;
        for (int i = 0; i < 4; ++i) {
            values << Find<QLabel>(form, QStringLiteral("%1%2").arg(row).arg(i))->text();
        }
        return values;
    }
    static QString YourLevel(const QWidget& f) { return Find<QLabel>(f, "TotalValue4")->text(); }
    static bool Enabled(const QWidget& f, const char* b) {
        return Find<QPushButton>(f, b)->isEnabled();
    }
    static void Click(const QWidget& f, const char* b) { Find<QAbstractButton>(f, b)->click(); }

    StatisticsTable table;
    Settings settings;
    dialogs_test::ScriptedPrompter prompter;
};

TEST_F(StatisticsFormTest, EmptyTableShowsZerosAndTheKeysClose) {
    TStatisticsForm form(table, settings, prompter);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Статистика"));
    EXPECT_EQ(Values(form, "TotalValue"), (QStringList{"0", "0", "0", "0"}));
    EXPECT_EQ(Values(form, "LevelValue"), (QStringList{"0", "0", "0", "0"}));
    EXPECT_EQ(YourLevel(form), QStringLiteral("0-новичок"));
    EXPECT_FALSE(Enabled(form, "ClearAllBtn") || Enabled(form, "ClearLevelBtn"));
    auto* pages = Find<QTabWidget>(form, "PageControl");
    EXPECT_EQ(pages->tabText(pages->currentIndex()), QStringLiteral("Уровня"));
    EXPECT_EQ(Find<QComboBox>(form, "LevelList")->count(), 10);

    // Escape or Enter on the list closes the window, which opens centred on the
    // main one.
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        bool closed = false;
        OnNextModal([&](QWidget* modal) {
            EXPECT_TRUE(CentredOnMain(modal));
            QTest::keyClick(modal->findChild<QWidget*>(QStringLiteral("LevelList")), key);
            closed = !modal->isVisible();
        });
        TStatisticsForm::ShowStatistics(table, settings, prompter, &mainWindow);
        EXPECT_TRUE(closed);
    }
}

TEST_F(StatisticsFormTest, TotalsAndYourLevelFollowTheRadioGroups) {
    // Block 8 x 8 normal: level 2 wins more than it loses, level 5 only draws
    // even.
    Play(table, k8Normal, 2, 4, 3, 0);
    Play(table, k8Normal, 5, 3, 3, 2);
    Play(table, k8Normal, 1, 9, 0, 0);
    // Block 8 x 8 advanced: a win at level 9.
    Play(table, k8Advanced, 9, 1, 0, 0);
    TStatisticsForm form(table, settings, prompter);
    EXPECT_EQ(Values(form, "TotalValue"), (QStringList{"24", "16", "6", "2"}));
    EXPECT_EQ(YourLevel(form), QStringLiteral("2-ученик"));
    EXPECT_TRUE(Enabled(form, "ClearAllBtn"));
    // The list shows the novice level, which has no games.
    EXPECT_FALSE(Enabled(form, "ClearLevelBtn"));

    Find<QComboBox>(form, "LevelList")->setCurrentIndex(5);
    EXPECT_EQ(Values(form, "LevelValue"), (QStringList{"8", "3", "3", "2"}));
    EXPECT_TRUE(Enabled(form, "ClearLevelBtn"));

    Click(form, "AdvancedRadio");
    EXPECT_EQ(form.SelectedBlock(), k8Advanced);
    EXPECT_EQ(Values(form, "TotalValue"), (QStringList{"1", "1", "0", "0"}));
    EXPECT_EQ(YourLevel(form), QStringLiteral("9-корифей"));
    EXPECT_EQ(Values(form, "LevelValue"), (QStringList{"0", "0", "0", "0"}));
    EXPECT_FALSE(Enabled(form, "ClearLevelBtn"));

    Click(form, "Size10Radio");
    EXPECT_EQ(form.SelectedBlock(), k10Advanced);
    EXPECT_EQ(Values(form, "TotalValue"), (QStringList{"0", "0", "0", "0"}));
    EXPECT_FALSE(Enabled(form, "ClearAllBtn"));
}

TEST_F(StatisticsFormTest, ClearingALevelAsksAndReturnsToTheSettingsBlock) {
    Play(table, k8Normal, 3, 2, 2, 0);
    Play(table, k8Advanced, 3, 1, 1, 1);
    const StatisticsTable before = table;
    TStatisticsForm form(table, settings, prompter);
    Click(form, "AdvancedRadio");
    Find<QComboBox>(form, "LevelList")->setCurrentIndex(3);

    prompter.Answer(false);
    Click(form, "ClearLevelBtn");
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0], "Удалить статистику по данному уровню?");
    EXPECT_EQ(table, before);
    EXPECT_EQ(Values(form, "LevelValue"), (QStringList{"3", "1", "1", "1"}));

    prompter.Answer(true);
    Click(form, "ClearLevelBtn");
    EXPECT_EQ(table.Level(k8Advanced, 3), LevelCounters{});
    EXPECT_EQ(table.Level(k8Normal, 3), before.Level(k8Normal, 3));
    EXPECT_EQ(form.SelectedBlock(), k8Normal);
    EXPECT_EQ(form.SelectedLevel(), 0);
    EXPECT_EQ(Values(form, "TotalValue"), (QStringList{"4", "2", "2", "0"}));
}

TEST_F(StatisticsFormTest, OpensOnTheSettingsBlockAndClearingAllTouchesOnlyIt) {
    settings.boardSize = 10;
    settings.advancedEngine = true;
    settings.level = 6;
    settings.noviceLevel = false;
    Play(table, k8Normal, 6, 1, 0, 0);
    Play(table, k10Advanced, 6, 2, 1, 1);
    Play(table, k10Advanced, 7, 0, 1, 0);
    const StatisticsTable before = table;
    TStatisticsForm form(table, settings, prompter);
    EXPECT_EQ(form.SelectedBlock(), k10Advanced);
    EXPECT_EQ(form.SelectedLevel(), 6);
    EXPECT_EQ(Values(form, "LevelValue"), (QStringList{"4", "2", "1", "1"}));
    EXPECT_TRUE(Enabled(form, "ClearLevelBtn"));

    prompter.Answer(true);
    Click(form, "ClearAllBtn");
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0], "Удалить статистику по всем уровням?");
    EXPECT_EQ(table.Totals(k10Advanced), LevelCounters{});
    EXPECT_EQ(table.Totals(k8Normal), before.Totals(k8Normal));
    EXPECT_EQ(Values(form, "TotalValue"), (QStringList{"0", "0", "0", "0"}));
    // Nothing left in the block: no question at all.
    form.ClearAllClick();
    form.ClearLevelClick();
    EXPECT_EQ(prompter.questions.size(), 1u);
}

}  // namespace
}  // namespace velmora
