#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "app/statistics_form.h"
#include "dialogs_test_support.h"

namespace velmora {
namespace {

using dialogs_test::EnsureApplication;
using dialogs_test::OnNextModal;
using dialogs_test::ScriptedPrompter;

constexpr int k8Normal = 0;
constexpr int k8Advanced = 1;
constexpr int k10Advanced = 3;

void Play(StatisticsTable& table, int block, int level, int wins, int losses, int draws) {
    for (int i = 0; i < wins; ++i)
        table.RecordResult(block, level, GameResult::Win);
    for (int i = 0; i < losses; ++i)
        table.RecordResult(block, level, GameResult::Loss);
    for (int i = 0; i < draws; ++i)
        table.RecordResult(block, level, GameResult::Draw);
}

class StatisticsFormTest : public ::testing::Test {
  protected:
    void SetUp() override { EnsureApplication(); }

    template <typename T>
    static T* Find(const QWidget& form, const QString& name) {
        T* widget = form.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    static QString Total(const QWidget& form, int i) {
        return Find<QLabel>(form, QStringLiteral("TotalValue%1").arg(i))->text();
    }
    static QString LevelValue(const QWidget& form, int i) {
        return Find<QLabel>(form, QStringLiteral("LevelValue%1").arg(i))->text();
    }
    static QStringList Totals(const QWidget& form) {
        return {Total(form, 0), Total(form, 1), Total(form, 2), Total(form, 3)};
    }
    static QStringList LevelValues(const QWidget& form) {
        return {LevelValue(form, 0), LevelValue(form, 1), LevelValue(form, 2), LevelValue(form, 3)};
    }
    static bool Enabled(const QWidget& form, const char* button) {
        return Find<QPushButton>(form, QString::fromLatin1(button))->isEnabled();
    }

    StatisticsTable table;
    Settings settings;
    ScriptedPrompter prompter;
};

TEST_F(StatisticsFormTest, EmptyTableShowsZerosNoviceAndDisabledClearButtons) {
    TStatisticsForm form(table, settings, prompter);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Статистика"));
    EXPECT_EQ(Totals(form), (QStringList{"0", "0", "0", "0"}));
    EXPECT_EQ(LevelValues(form), (QStringList{"0", "0", "0", "0"}));
    EXPECT_EQ(Total(form, 4), QStringLiteral("0-новичок"));
    EXPECT_FALSE(Enabled(form, "ClearAllBtn"));
    EXPECT_FALSE(Enabled(form, "ClearLevelBtn"));
    auto* pages = Find<QTabWidget>(form, QStringLiteral("PageControl"));
    EXPECT_EQ(pages->tabText(pages->currentIndex()), QStringLiteral("Уровня"));
    EXPECT_EQ(Find<QComboBox>(form, QStringLiteral("LevelList"))->count(), 10);
}

TEST_F(StatisticsFormTest, OpensOnTheBlockAndLevelOfTheSettings) {
    settings.boardSize = 10;
    settings.advancedEngine = true;
    settings.level = 6;
    settings.noviceLevel = false;
    Play(table, k10Advanced, 6, 2, 1, 1);
    Play(table, k8Normal, 6, 9, 0, 0);
    TStatisticsForm form(table, settings, prompter);
    EXPECT_EQ(form.SelectedBlock(), k10Advanced);
    EXPECT_EQ(form.SelectedLevel(), 6);
    EXPECT_EQ(LevelValues(form), (QStringList{"4", "2", "1", "1"}));
    EXPECT_TRUE(Enabled(form, "ClearLevelBtn"));
}

TEST_F(StatisticsFormTest, TotalsAndYourLevelFollowTheRadioGroups) {
    // Block 8 x 8 normal: level 2 wins more than it loses, level 5 only draws even.
    Play(table, k8Normal, 2, 4, 3, 0);
    Play(table, k8Normal, 5, 3, 3, 2);
    Play(table, k8Normal, 1, 9, 0, 0);
    // Block 8 x 8 advanced: a win at level 9.
    Play(table, k8Advanced, 9, 1, 0, 0);
    TStatisticsForm form(table, settings, prompter);
    EXPECT_EQ(Totals(form), (QStringList{"24", "16", "6", "2"}));
    EXPECT_EQ(Total(form, 4), QStringLiteral("2-ученик"));
    EXPECT_TRUE(Enabled(form, "ClearAllBtn"));
    // The list shows the novice level, which has no games.
    EXPECT_FALSE(Enabled(form, "ClearLevelBtn"));

    auto* levels = Find<QComboBox>(form, QStringLiteral("LevelList"));
    levels->setCurrentIndex(5);
    EXPECT_EQ(LevelValues(form), (QStringList{"8", "3", "3", "2"}));
    EXPECT_TRUE(Enabled(form, "ClearLevelBtn"));

    Find<QRadioButton>(form, QStringLiteral("AdvancedRadio"))->click();
    EXPECT_EQ(form.SelectedBlock(), k8Advanced);
    EXPECT_EQ(Totals(form), (QStringList{"1", "1", "0", "0"}));
    EXPECT_EQ(Total(form, 4), QStringLiteral("9-корифей"));
    EXPECT_EQ(LevelValues(form), (QStringList{"0", "0", "0", "0"}));
    EXPECT_FALSE(Enabled(form, "ClearLevelBtn"));

    Find<QRadioButton>(form, QStringLiteral("Size10Radio"))->click();
    EXPECT_EQ(form.SelectedBlock(), k10Advanced);
    EXPECT_EQ(Totals(form), (QStringList{"0", "0", "0", "0"}));
    EXPECT_FALSE(Enabled(form, "ClearAllBtn"));
}

TEST_F(StatisticsFormTest, ClearingALevelAsksAndReturnsToTheSettingsBlock) {
    Play(table, k8Normal, 3, 2, 2, 0);
    Play(table, k8Advanced, 3, 1, 1, 1);
    const StatisticsTable before = table;
    TStatisticsForm form(table, settings, prompter);
    Find<QRadioButton>(form, QStringLiteral("AdvancedRadio"))->click();
    Find<QComboBox>(form, QStringLiteral("LevelList"))->setCurrentIndex(3);

    prompter.Answer(false);
    Find<QPushButton>(form, QStringLiteral("ClearLevelBtn"))->click();
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0], "Удалить статистику по данному уровню?");
    EXPECT_EQ(table, before);
    EXPECT_EQ(LevelValues(form), (QStringList{"3", "1", "1", "1"}));

    prompter.Answer(true);
    Find<QPushButton>(form, QStringLiteral("ClearLevelBtn"))->click();
    EXPECT_EQ(table.Level(k8Advanced, 3), LevelCounters{});
    EXPECT_EQ(table.Level(k8Normal, 3), before.Level(k8Normal, 3));
    // The window shows the current settings' block and level again.
    EXPECT_EQ(form.SelectedBlock(), k8Normal);
    EXPECT_EQ(form.SelectedLevel(), 0);
    EXPECT_EQ(Totals(form), (QStringList{"4", "2", "2", "0"}));
}

TEST_F(StatisticsFormTest, ClearingAllLevelsTouchesOnlyTheShownBlock) {
    Play(table, k8Normal, 4, 1, 0, 0);
    Play(table, k10Advanced, 4, 2, 0, 0);
    Play(table, k10Advanced, 7, 0, 1, 0);
    const StatisticsTable before = table;
    TStatisticsForm form(table, settings, prompter);
    Find<QRadioButton>(form, QStringLiteral("AdvancedRadio"))->click();
    Find<QRadioButton>(form, QStringLiteral("Size10Radio"))->click();

    prompter.Answer(true);
    Find<QPushButton>(form, QStringLiteral("ClearAllBtn"))->click();
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0], "Удалить статистику по всем уровням?");
    EXPECT_EQ(table.Totals(k10Advanced), LevelCounters{});
    EXPECT_EQ(table.Totals(k8Normal), before.Totals(k8Normal));
    EXPECT_EQ(form.SelectedBlock(), k8Normal);
    EXPECT_EQ(Totals(form), (QStringList{"1", "1", "0", "0"}));

    // Nothing left in an empty block: no question at all.
    Find<QRadioButton>(form, QStringLiteral("Size10Radio"))->click();
    form.ClearAllClick();
    form.ClearLevelClick();
    EXPECT_EQ(prompter.questions.size(), 1u);
}

TEST_F(StatisticsFormTest, EscapeOrEnterOnTheListClosesAndTheWindowIsCentred) {
    QWidget mainWindow;
    mainWindow.setGeometry(200, 120, 640, 560);
    mainWindow.show();
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        bool closed = false;
        OnNextModal([&](QWidget* modal) {
            EXPECT_TRUE(dialogs_test::CentredOn(modal, &mainWindow));
            QTest::keyClick(modal->findChild<QWidget*>(QStringLiteral("LevelList")), key);
            closed = !modal->isVisible();
        });
        TStatisticsForm::ShowStatistics(table, settings, prompter, &mainWindow);
        EXPECT_TRUE(closed);
    }
}

}  // namespace
}  // namespace velmora
