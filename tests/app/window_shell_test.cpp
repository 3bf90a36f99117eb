#include <gtest/gtest.h>

#include <QDir>

#include "app/help_window.h"
#include "app/match_folder.h"
#include "app/qt_translation.h"
#include "app/velmora_application.h"
#include "window_rig.h"

namespace velmora {
namespace {

using namespace window_test;

TEST(WindowShellTest, QtDialogsSpeakRussianAndCaptionsAreTheirTextsAlone) {
    dialogs_test::EnsureApplication();
    ASSERT_TRUE(InstallQtTranslation(*qApp)) << "qt6-translations-l10n is not installed";
    EXPECT_EQ(QCoreApplication::translate("QFileDialog",
                                          "%1 already exists.\nDo you want to replace it?"),
              QStringLiteral("%1 уже существует.\nЗаменить его?"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Да"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&No"), QStringLiteral("&Нет"));

    const QString before = QCoreApplication::applicationName();
    ConfigureApplication(*qApp);
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Velmora Reversi 4.00"));
    // A display name of its own would be appended to every caption by Qt; the display name
    // must be nothing but the application's name.
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
    QCoreApplication::setApplicationName(before);

    WindowRig rig({}, Profile("8", "human"));
    EXPECT_EQ(rig.form->windowTitle(), QStringLiteral("Вельморные Реверси 4.02"));
}

struct RefusingCursorPort : CursorPort {
    std::vector<QPoint>* asked;
    explicit RefusingCursorPort(std::vector<QPoint>* log) : asked(log) {}
    bool MoveTo(const QPoint& global) override { return asked->push_back(global), false; }
};

TEST(WindowShellTest, HintArrowKeysAndHelpWhereTheDesktopRefuses) {
    std::vector<QPoint> asked;
    QStringList opened;
    WindowRig rig({}, Profile("8", "human"), nullptr, QString(), [&](ReversiFormOptions& options) {
        options.cursorPort = std::make_unique<RefusingCursorPort>(&asked);
        options.openDocument = [&opened](const QString& path, const std::function<void()>& failed) {
            opened << path;
            failed();
        };
    });
    TReversiForm& form = *rig.form;
    WindowRig::Settle();

    form.Menu().hint->trigger();
    ASSERT_EQ(asked.size(), 1u);
    const QPoint hinted = form.Board()->mapFromGlobal(asked[0]);
    const int hintedSquare = SquareAt(8, (hinted.x() - 20) / 61, (hinted.y() - 20) / 61);
    QTest::keyClick(&form, Qt::Key_Return);
    ASSERT_EQ(form.Session().record.Count(), 1);
    EXPECT_EQ(form.Session().record.Entry(0).square, hintedSquare);

    const int target = window_test::FirstLegal(form.Session().position);
    const int col = ColumnOf(8, target), row = RowOf(8, target);
    const int dx = col - ColumnOf(8, hintedSquare), dy = row - RowOf(8, hintedSquare);
    for (int i = 0; i < std::abs(dx) + std::abs(dy); ++i) {
        QTest::keyClick(&form, i < std::abs(dx) ? (dx > 0 ? Qt::Key_Right : Qt::Key_Left)
                                                : (dy > 0 ? Qt::Key_Down : Qt::Key_Up));
    }
    ASSERT_EQ(asked.size(), 1u + std::abs(dx) + std::abs(dy));
    EXPECT_EQ(form.Board()->mapFromGlobal(asked.back()),
              QPoint(20 + 61 * col + 30, 20 + 61 * row + 30));
    QTest::keyClick(&form, Qt::Key_Return);
    ASSERT_EQ(form.Session().record.Count(), 2);
    EXPECT_EQ(form.Session().record.Entry(1).square, target);

    // Help the desktop cannot open shows in a window of its own; a second F1 raises it.
    form.Menu().help->trigger();
    form.Menu().help->trigger();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_TRUE(opened[0].endsWith(QStringLiteral("/docs/readme_rus.txt")));
    const auto windows = form.findChildren<THelpWindow*>();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_TRUE(windows[0]->isVisible() && windows[0]->windowTitle() == QStringLiteral("Помощь"));
    EXPECT_TRUE(windows[0]->Text().contains(QStringLiteral("ВЕЛЬМОРНЫЕ РЕВЕРСИ 4.00")));
    EXPECT_TRUE(rig.Prompts().messages.empty());
}

TEST(WindowShellTest, MatchFolderStartsAtDocumentsAndFollowsTheLastMatch) {
    dialogs_test::EnsureApplication();
    QTemporaryDir config, home;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    EXPECT_EQ(MatchFolder(), home.path()) << "no documents folder: home";
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("Documents")));
    EXPECT_EQ(MatchFolder(), home.path() + QStringLiteral("/Documents"));

    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("matches")));
    RememberMatchFolder(home.path() + QStringLiteral("/matches/game.qvz"));
    EXPECT_EQ(MatchFolder(), home.path() + QStringLiteral("/matches"));
    QSettings store(QSettings::IniFormat, QSettings::UserScope, "Velmora", "Reversi");
    EXPECT_EQ(store.value("options/matchdir").toString(), home.path() + QStringLiteral("/matches"));
    RememberMatchFolder(QString());
    EXPECT_EQ(MatchFolder(), home.path() + QStringLiteral("/matches")) << "a cancelled dialog";

    ASSERT_TRUE(QDir(home.path() + QStringLiteral("/matches")).removeRecursively());
    EXPECT_EQ(MatchFolder(), home.path() + QStringLiteral("/Documents")) << "a folder gone";
    qputenv("HOME", oldHome);
}

}  // namespace
}  // namespace velmora
