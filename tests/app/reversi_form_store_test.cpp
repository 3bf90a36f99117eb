#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "app/quit_signals.h"
#include "app/reversi_dialogs.h"
#include "window_rig.h"

namespace velmora {
namespace {

using namespace window_test;

// Set by TerminatedGameKeepsItsResult in the copy of this program it starts.
constexpr const char* kChildFolderVariable = "VELMORA_QUIT_CHILD";

StatisticsTable StatisticsOnDisk(const QString& iniPath) {
    const QSettings store(iniPath, QSettings::IniFormat);
    const QByteArray bytes = store.value("Statistics").toByteArray();
    return StatisticsTable::FromBytes(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                  static_cast<std::size_t>(bytes.size())));
}

// A counted result and a changed setting are on disk at once, before the window closes.
// Started by TerminatedGameKeepsItsResult, the copy then removes the file and waits for
// SIGTERM, which must write everything again through the window's normal close.
TEST(ReversiFormStoreTest, WhatThePlayerEarnsIsOnDiskAtOnce) {
    const QString childFolder = qEnvironmentVariable(kChildFolderVariable);
    WindowRig rig({}, Profile(), nullptr, childFolder);
    TReversiForm& form = *rig.form;
    WindowRig::Settle();
    window_test::PlayToTheEnd(form);
    ASSERT_TRUE(form.Session().position.gameOver);
    EXPECT_EQ(form.StatusPanelText(0), QStringLiteral("Игра окончена"));
    ASSERT_FALSE(rig.finals.empty());
    const LevelCounters counters = StatisticsOnDisk(rig.IniPath()).Level(0, 1);
    EXPECT_EQ(counters.games, 1u);
    EXPECT_EQ(counters.wins + counters.losses + counters.draws, 1u);
    const bool soundWasOn = form.Session().settings.soundOn;
    form.Menu().sound->trigger();
    EXPECT_EQ(QSettings(rig.IniPath(), QSettings::IniFormat).value("options/sndef").toString(),
              soundWasOn ? "no" : "yes");
    if (childFolder.isEmpty()) {
        return;
    }
    ASSERT_TRUE(QFile::remove(rig.IniPath()));
    QuitSignals watcher;
    CloseOnQuitSignals(watcher, form);
    std::puts("counted");
    std::fflush(stdout);
    QEventLoop loop;
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_FALSE(form.isVisible()) << "the signal must close the window";
}

TEST(ReversiFormStoreTest, TerminatedGameKeepsItsResult) {
    window_test::EnsureApplication();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kChildFolderVariable, folder.path());
    child.setProcessEnvironment(environment);
    child.start(
        QStringLiteral("/proc/self/exe"),
        {QStringLiteral("--gtest_filter=ReversiFormStoreTest.WhatThePlayerEarnsIsOnDiskAtOnce")});
    ASSERT_TRUE(child.waitForStarted(10000));
    QByteArray output;
    while (!output.contains("counted\n") && child.waitForReadyRead(120000)) {
        output += child.readAllStandardOutput();
    }
    ASSERT_TRUE(output.contains("counted\n")) << output.toStdString();
    const QString ini = folder.path() + "/Velmora/Reversi.ini";
    ASSERT_FALSE(QFile::exists(ini));
    ASSERT_EQ(::kill(static_cast<pid_t>(child.processId()), SIGTERM), 0);
    ASSERT_TRUE(child.waitForFinished(30000));
    output += child.readAllStandardOutput();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_EQ(StatisticsOnDisk(ini).Level(0, 1).games, 1u);
}

TEST(ReversiFormStoreTest, ADamagedSettingsFileIsReportedOnce) {
    QTemporaryDir profile;
    const auto damaged = [](QSettings& store) {
        Profile()(store);
        QFile file(store.fileName());
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("[General]\nStatistics=\"@ByteArray(\\x5\\0\\0\\0\\x3\n");
    };
    const auto recoveryMessages = [](WindowRig& rig) {
        WindowRig::Settle();
        return std::count_if(rig.Prompts().messages.begin(), rig.Prompts().messages.end(),
                             [](const std::string& m) { return m.find(".bak") != m.npos; });
    };
    {
        WindowRig rig({}, damaged, nullptr, profile.path());
        EXPECT_EQ(recoveryMessages(rig), 1);
        EXPECT_EQ(rig.form->Session().statistics.Level(0, 0).games, 5u);
        EXPECT_EQ(rig.form->Session().statistics.Level(0, 0).wins, 3u);
    }
    WindowRig again({}, {}, nullptr, profile.path());
    EXPECT_EQ(recoveryMessages(again), 0);
    EXPECT_EQ(again.form->Session().statistics.Level(0, 0).games, 5u);
}

// A store that cannot be written is reported once for a run of failed writes, the last one
// at exit while the window still shows, not again after it has closed.
TEST(ReversiFormStoreTest, AStoreThatCannotBeWrittenIsReportedOnce) {
    WindowRig rig({}, Profile());
    auto dialogs = std::make_unique<ReversiDialogs>(*rig.form);
    WindowRig::Settle();
    const QString profile = rig.ConfigFolder() + "/Velmora";
    ASSERT_TRUE(QDir(profile).removeRecursively());
    QFile blocker(profile);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    rig.form->Menu().sound->trigger();
    rig.form->Menu().music->trigger();
    rig.form->close();
    dialogs.reset();
    const std::vector<std::string>& messages = rig.Prompts().messages;
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "Не удалось сохранить настройки."), 1);
}

}  // namespace
}  // namespace velmora
