#include <gtest/gtest.h>

#include <QScreen>

#include "app/about_box.h"
#include "app/about_still.h"
#include "app/choice_dialog.h"
#include "app/day_tip_form.h"
#include "app/final_dialog.h"
#include "app/intro_resource_loader.h"
#include "app/settings_store.h"
#include "app/startup_form.h"
#include "dialogs_test_support.h"
#include "game/move_review.h"
#include "support/intro_sizes.h"
#include "view/intro_widget.h"

namespace velmora {
namespace {

using dialogs_test::OnNextModal;
using SmallDialogsTest = dialogs_test::DialogFixture;

const char* const kTipStarts[] = {"Если Вы пока не знаете", "Просто представьте!",
                                  "Данная реализация игры", "Вы можете сохранять",
                                  "Вы можете ознакомиться"};

// The tip shown follows the stored index (a first run's 1000, the last tip and a negative
// one start again), "Еще совет" walks on and wraps, and closing stores what was shown.
TEST_F(SmallDialogsTest, TipWindowShowsTheNextTipAndStoresItOnClosing) {
    const std::pair<int, int> storedAndShown[] = {{1000, 0}, {4, 0}, {-7, 1}, {2, 3}};
    for (const auto& [stored, shown] : storedAndShown) {
        Settings settings;
        settings.currentTip = stored;
        TDayTipForm form(settings);
        EXPECT_EQ(form.TipIndex(), shown) << stored;
        EXPECT_TRUE(form.TipText().startsWith(QString::fromUtf8(kTipStarts[shown]))) << stored;
    }
    Settings settings = LoadSettings("/x");
    EXPECT_EQ(settings.currentTip, 3);

    // The command: centred; clearing the box stores "no" and the command still opens.
    OnNextModal([&](QWidget* modal) {
        EXPECT_TRUE(CentredOnMain(modal));
        EXPECT_EQ(modal->windowTitle(), QStringLiteral("Совет дня"));
        auto* more = Find<QPushButton>(*modal, "NextTipBtn");
        EXPECT_EQ(more->text(), QStringLiteral("Еще совет"));
        for (const int expected : {0, 1}) {
            more->click();
            EXPECT_EQ(static_cast<TDayTipForm*>(modal)->TipIndex(), expected);
        }
        EXPECT_TRUE(static_cast<TDayTipForm*>(modal)->TipText().startsWith(kTipStarts[1]));
        auto* box = Find<QCheckBox>(*modal, "ShowTipsBox");
        EXPECT_TRUE(box->isChecked());
        box->click();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    TDayTipForm::ShowDayTip(settings, &mainWindow);
    EXPECT_TRUE(!LoadSettings("/x").showTips && LoadSettings("/x").currentTip == 1);
    bool opened = false;
    OnNextModal([&](QWidget* modal) {
        opened = true;
        Find<QPushButton>(*modal, "CloseBtn")->click();
    });
    TDayTipForm::ShowDayTip(settings, &mainWindow);
    EXPECT_TRUE(opened);
    EXPECT_EQ(settings.currentTip, 2);
}

// With the program's intro resources the box plays the intro; without them it shows a
// drawn still. Either way it is centred, of one size, and a click closes it.
TEST_F(SmallDialogsTest, AboutBoxPlaysTheIntroOrShowsAStillAndAClickCloses) {
    for (const char* folder : {VELMORA_SOURCE_DIR "/resources/intro", "/nonexistent"}) {
        SCOPED_TRACE(folder);
        const IntroResources resources = LoadIntroResources(QString::fromUtf8(folder));
        const bool intro = HasIntroResources(resources);
        EXPECT_EQ(intro, std::string(folder) != "/nonexistent");
        bool shown = false;
        OnNextModal([&](QWidget* modal) {
            shown = CentredOnMain(modal) && modal->size() == QSize(382, 262) &&
                    static_cast<TAboutBox*>(modal)->Animated() == intro &&
                    (intro ? modal->findChild<IntroWidget*>() != nullptr
                           : modal->findChild<AboutStill*>() != nullptr);
            EXPECT_EQ(modal->windowTitle(), QStringLiteral("О программе..."));
            EXPECT_EQ(modal->cursor().shape(), Qt::PointingHandCursor);
            QTest::mouseClick(modal->findChild<QWidget*>(QStringLiteral("AboutPicture")),
                              Qt::LeftButton, {}, QPoint(200, 130));
        });
        TAboutBox::ShowAbout(resources, &mainWindow);
        EXPECT_TRUE(shown) << "centred, 382 x 262, showing the intro or the still";
    }
    const QImage picture = AboutStillPicture();
    EXPECT_EQ(picture.size(), QSize(kIntroWidth, kIntroHeight));
    QSet<QRgb> colours;
    for (int i = 0; i < picture.width() * picture.height(); i += 7) {
        colours.insert(picture.pixel(i % picture.width(), i / picture.width()));
    }
    EXPECT_GT(colours.size(), 50);
}

TEST_F(SmallDialogsTest, StartUpLogoIsABorderlessCentredRussianPicture) {
    TStartUpForm logo;
    logo.ShowNow();
    EXPECT_TRUE(logo.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(logo.RussianImage()->isVisible() && !logo.EnglishImage()->isVisible());
    EXPECT_EQ(logo.RussianImage()->pixmap().size(), QSize(252, 125));
    const QPoint desktop = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((logo.geometry().center() - desktop).manhattanLength(), 2);
}

TEST_F(SmallDialogsTest, FinalDialogTextsAndKeys) {
    TFinalDlg dialog(&mainWindow);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Информация"));
    for (const auto& [kind, text] : {std::pair{0, "Жёлтые победили 40 : 24"}, std::pair{2, "ничья"},
                                     std::pair{4, "Зелёные пассуют"}}) {
        dialog.SetResult(kind, 40, 24);
        EXPECT_EQ(dialog.Message(), QString::fromUtf8(text));
    }
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
    const std::pair<int, int> pressedAndResult[] = {
        {1, kContinueFromThis}, {-1, kBackToReview}, {0, kBackToReview}, {2, kContinueFromLast}};
    for (const auto& [pressed, result] : pressedAndResult) {
        OnNextModal([&, pressed = pressed](QWidget* modal) {
            EXPECT_TRUE(CentredOnMain(modal));
            if (pressed < 0) {
                QTest::keyClick(modal, Qt::Key_Escape);
            } else {
                buttons[pressed]->click();
            }
        });
        EXPECT_EQ(choice.Ask(&mainWindow), result) << pressed;
    }
}

}  // namespace
}  // namespace velmora
