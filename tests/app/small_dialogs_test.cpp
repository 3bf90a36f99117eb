#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <climits>

#include "app/about_box.h"
#include "app/about_still.h"
#include "app/choice_dialog.h"
#include "app/day_tip_form.h"
#include "app/final_dialog.h"
#include "app/intro_resource_loader.h"
#include "app/settings_store.h"
#include "app/startup_form.h"
#include "app/tip_texts.h"
#include "dialogs_test_support.h"
#include "game/move_review.h"
#include "support/intro_sizes.h"
#include "view/intro_widget.h"

namespace velmora {
namespace {

using dialogs_test::EnsureApplication;
using dialogs_test::OnNextModal;
using dialogs_test::TempSettingsStore;

class SmallDialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureApplication();
        mainWindow.setGeometry(160, 100, 620, 540);
        mainWindow.show();
    }

    ::testing::AssertionResult CentredOnMain(const QWidget* dialog) const {
        return dialogs_test::CentredOn(dialog, &mainWindow);
    }

    dialogs_test::ApplicationInstance application;
    TempSettingsStore store;
    QWidget mainWindow;
};

TEST(TipRotation, StoredIndexGivesTheTipShownNext) {
    EXPECT_EQ(NextTipIndex(1000), 0);  // first run
    EXPECT_EQ(NextTipIndex(0), 1);
    EXPECT_EQ(NextTipIndex(3), 4);
    EXPECT_EQ(NextTipIndex(4), 0);
    EXPECT_EQ(NextTipIndex(-7), 1);  // negative counts as 0, then advances
    EXPECT_EQ(NextTipIndex(INT_MAX), 0);
    EXPECT_EQ(NextTipIndex(INT_MIN), 1);
}

TEST_F(SmallDialogsTest, TipWindowShowsTheNextTipAndStoresItOnClosing) {
    Settings settings;  // a first run: "currenttip" 1000, tips shown
    {
        TDayTipForm form(settings);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Совет дня"));
        EXPECT_EQ(form.TipIndex(), 0);
        EXPECT_EQ(form.TipText(), QString::fromUtf8(kTipTexts[0]));
        EXPECT_TRUE(form.findChild<QCheckBox*>(QStringLiteral("ShowTipsBox"))->isChecked());
    }
    EXPECT_EQ(settings.currentTip, 0);
    EXPECT_EQ(LoadSettings("/x").currentTip, 0);

    // The next start shows tip 1; "Еще совет" walks on and wraps after the last.
    Settings next = LoadSettings("/x");
    {
        TDayTipForm form(next);
        EXPECT_EQ(form.TipIndex(), 1);
        auto* more = form.findChild<QPushButton*>(QStringLiteral("NextTipBtn"));
        ASSERT_NE(more, nullptr);
        EXPECT_EQ(more->text(), QStringLiteral("Еще совет"));
        for (int expected : {2, 3, 4, 0}) {
            more->click();
            EXPECT_EQ(form.TipIndex(), expected);
        }
        EXPECT_EQ(form.TipText(), QString::fromUtf8(kTipTexts[0]));
    }
    EXPECT_EQ(LoadSettings("/x").currentTip, 0);
}

TEST_F(SmallDialogsTest, StoredTipIndexFourOrNegative) {
    for (const auto& [stored, shown] : {std::pair{4, 0}, std::pair{-7, 1}}) {
        Settings settings;
        settings.currentTip = stored;
        TDayTipForm form(settings);
        EXPECT_EQ(form.TipIndex(), shown) << stored;
        EXPECT_EQ(form.TipText(), QString::fromUtf8(kTipTexts[shown]));
    }
}

TEST_F(SmallDialogsTest, ClearingTheTipCheckBoxStoresNoAndTheCommandStillOpens) {
    Settings settings;
    OnNextModal([&](QWidget* modal) {
        EXPECT_TRUE(CentredOnMain(modal));
        modal->findChild<QCheckBox*>(QStringLiteral("ShowTipsBox"))->click();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    TDayTipForm::ShowDayTip(settings, &mainWindow);
    EXPECT_FALSE(settings.showTips);
    EXPECT_FALSE(LoadSettings("/x").showTips);

    bool opened = false;
    OnNextModal([&](QWidget* modal) {
        opened = true;
        modal->findChild<QPushButton*>(QStringLiteral("CloseBtn"))->click();
    });
    TDayTipForm::ShowDayTip(settings, &mainWindow);
    EXPECT_TRUE(opened);
    EXPECT_EQ(settings.currentTip, 1);
}

TEST_F(SmallDialogsTest, AboutBoxWithoutIntroResourcesShowsAStillAndAClickCloses) {
    const IntroResources none;
    EXPECT_FALSE(HasIntroResources(none));
    bool centred = false, still = false;
    QSize client;
    OnNextModal([&](QWidget* modal) {
        centred = CentredOnMain(modal);
        client = modal->size();
        still = !static_cast<TAboutBox*>(modal)->Animated() &&
                modal->findChild<AboutStill*>() != nullptr;
        EXPECT_EQ(modal->windowTitle(), QStringLiteral("О программе..."));
        EXPECT_EQ(modal->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(modal->findChild<QWidget*>(QStringLiteral("AboutPicture")),
                          Qt::LeftButton, {}, QPoint(200, 130));
    });
    TAboutBox::ShowAbout(none, &mainWindow);
    EXPECT_TRUE(centred);
    EXPECT_TRUE(still);
    EXPECT_EQ(client, QSize(382, 262));

    // The still has a drawn picture, not a blank: more than a handful of colours.
    const QImage picture = AboutStillPicture();
    EXPECT_EQ(picture.size(), QSize(kIntroWidth, kIntroHeight));
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 4) {
        for (int x = 0; x < picture.width(); x += 4) {
            colours.insert(picture.pixel(x, y));
        }
    }
    EXPECT_GT(colours.size(), 50);
}

TEST_F(SmallDialogsTest, AboutBoxPlaysTheIntroWhenItsResourcesAreThere) {
    IntroResources resources;
    // A mesh with no objects, blank font and front, and a two-colour texture.
    resources.mesh.assign(22, 0);
    resources.mesh[0] = '3';
    resources.mesh[1] = 'D';
    resources.mesh[2] = 1;
    resources.font.assign(kIntroFontBytes, 255);
    resources.front.assign(kIntroFrontBytes, 255);
    resources.texture.assign(kIntroTextureBytes, 0);
    for (int i = 0; i < 4; ++i)
        resources.texture[4 + i] = 200;
    for (int i = 0; i < kIntroTextureSide * kIntroTextureSide; i += 3) {
        resources.texture[kIntroPaletteBytes + i] = 1;
    }
    ASSERT_TRUE(HasIntroResources(resources));
    TAboutBox box(resources, &mainWindow);
    EXPECT_TRUE(box.Animated());
    EXPECT_NE(box.findChild<IntroWidget*>(), nullptr);
    EXPECT_EQ(box.size(), QSize(382, 262));
    bool closed = false;
    OnNextModal([&](QWidget* modal) {
        QTest::mouseClick(modal, Qt::LeftButton, {}, QPoint(5, 5));
        closed = true;
    });
    box.exec();
    EXPECT_TRUE(closed);
}

TEST_F(SmallDialogsTest, TheProgramsIntroResourcesLoadAndPlay) {
    const IntroResources resources =
        LoadIntroResources(QStringLiteral(VELMORA_SOURCE_DIR "/resources/intro"));
    EXPECT_EQ(resources.font.size(), static_cast<std::size_t>(kIntroFontBytes));
    EXPECT_EQ(resources.front.size(), static_cast<std::size_t>(kIntroFrontBytes));
    EXPECT_EQ(resources.texture.size(), static_cast<std::size_t>(kIntroTextureBytes));
    ASSERT_TRUE(HasIntroResources(resources));
    TAboutBox box(resources, &mainWindow);
    EXPECT_TRUE(box.Animated());

    // A folder without them leaves the box with its still picture.
    const IntroResources none = LoadIntroResources(QStringLiteral("/nonexistent"));
    EXPECT_FALSE(HasIntroResources(none));
}

TEST_F(SmallDialogsTest, StartUpLogoIsABorderlessCentredRussianPicture) {
    TStartUpForm logo;
    logo.ShowNow();
    EXPECT_EQ(logo.size(), QSize(252, 125));
    EXPECT_TRUE(logo.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(logo.RussianImage()->isVisible());
    EXPECT_FALSE(logo.EnglishImage()->isVisible());
    EXPECT_EQ(logo.RussianImage()->pixmap().size(), QSize(252, 125));
    const QPoint desktop = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE(std::abs(logo.geometry().center().x() - desktop.x()), 1);
    EXPECT_LE(std::abs(logo.geometry().center().y() - desktop.y()), 1);
}

TEST_F(SmallDialogsTest, FinalDialogTextsAndKeys) {
    TFinalDlg dialog(&mainWindow);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Информация"));
    dialog.SetResult(0, 40, 24);
    EXPECT_EQ(dialog.Message(), QStringLiteral("Жёлтые победили 40 : 24"));
    dialog.SetResult(2, 32, 32);
    EXPECT_EQ(dialog.Message(), QStringLiteral("ничья"));
    dialog.SetResult(4, 0, 0);
    EXPECT_EQ(dialog.Message(), QStringLiteral("Зелёные пассуют"));
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        OnNextModal(
            [&](QWidget* modal) { QTest::keyClick(modal->findChild<QPushButton*>(), key); });
        dialog.exec();
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST_F(SmallDialogsTest, ChoiceEscapeEqualsTheFirstButtonAndEachShowClearsTheResult) {
    TChoice choice(&mainWindow);
    EXPECT_EQ(choice.windowTitle(), QStringLiteral("Ваш выбор"));
    const QList<QPushButton*> buttons = choice.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_TRUE(buttons[0]->isDefault());

    OnNextModal([&](QWidget* modal) {
        EXPECT_TRUE(CentredOnMain(modal));
        buttons[1]->click();
    });
    EXPECT_EQ(choice.Ask(&mainWindow), kContinueFromThis);
    OnNextModal([&](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_EQ(choice.Ask(&mainWindow), kBackToReview);
    OnNextModal([&](QWidget*) { buttons[0]->click(); });
    EXPECT_EQ(choice.Ask(&mainWindow), kBackToReview);
    OnNextModal([&](QWidget*) { buttons[2]->click(); });
    EXPECT_EQ(choice.Ask(&mainWindow), kContinueFromLast);
}

}  // namespace
}  // namespace velmora
