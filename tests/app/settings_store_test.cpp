#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "app/settings_store.h"
#include "app/statistics_store.h"

namespace velmora {
namespace {

// Every test gets a profile folder of its own.
class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
    }

    QString IniPath() const { return folder.path() + "/Velmora/Reversi.ini"; }

    void WriteIni(const QByteArray& text) {
        ASSERT_TRUE(QDir().mkpath(folder.path() + "/Velmora"));
        QFile file(IniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    ino_t Inode() const {
        struct stat info {};
        return ::stat(IniPath().toLocal8Bit().constData(), &info) == 0 ? info.st_ino : 0;
    }

    QByteArray ReadIni() const {
        QFile file(IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
};

TEST_F(SettingsStoreTest, ValuesOfAnotherKindCountAsAbsent) {
    EXPECT_EQ(LoadSettings("/opt/velmora/bin/").musicFolder, "/opt/velmora/bin/DATA/MUSIC");
    const Settings absent = LoadSettings("/p");
    WriteIni(
        "Statistics=not binary\n"
        "[net]\n"
        "port=@ByteArray(8000)\n"
        "listn=a, b\n"
        "[options]\n"
        "level=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
        "sound_volume=1, 2\n"
        "music_volume=@Invalid()\n"
        "gamet=@ByteArray(human)\n");
    EXPECT_EQ(LoadSettings("/p"), absent);
    EXPECT_EQ(LoadStatistics(), StatisticsTable{});
}

// A file that does not read cleanly is copied aside whole before anything is written, the player is
// told, and what it still holds is read: the settings on its other lines and the statistics before
// a cut. Start-up goes on whatever the bytes.
TEST_F(SettingsStoreTest, ADamagedFileIsKeptAsideAndWhatItHoldsIsRecovered) {
    // Counters of 61 and 44 are '=' and ',' bytes, so the value is written in quotes.
    StatisticsTable table;
    for (int i = 0; i < 61; ++i) {
        table.RecordResult(0, 1, i < 44 ? GameResult::Win : GameResult::Draw);
    }
    table.RecordResult(3, 9, GameResult::Loss);
    Settings mine = LoadSettings("/p");
    mine.level = 5;
    mine.noviceLevel = false;
    mine.port = 9100;
    ASSERT_TRUE(SaveAllSettings(mine, &mine, table, false));
    const QByteArray good = ReadIni();
    const qsizetype start = good.indexOf("Statistics=\"");
    ASSERT_GE(start, 0) << good.toStdString();
    const qsizetype end = good.indexOf('\n', start);
    const QByteArray cut = good.left(start + (end - start) / 2) + good.mid(end);
    QByteArray junk;
    for (int i = 0; i < 4096; ++i) {
        junk.append(static_cast<char>((i * 7919) % 251));
    }
    junk.append("\n[options\nlevel=3\n=\n[]\nbrdim=\\");
    QByteArray utf16("\xFF\xFE");
    for (const char c : good) {
        utf16.append(c).append('\0');
    }

    struct Case {
        const char* name;
        QByteArray bytes;
        bool settingsAndFirstLevelsKept;
    };
    for (const Case& c : {Case{"cut in a quote", cut, true}, Case{"binary garbage", junk, false},
                          Case{"UTF-16", utf16, false}}) {
        SCOPED_TRACE(c.name);
        QDir(folder.path() + "/Velmora").removeRecursively();
        WriteIni(c.bytes);
        const SettingsRecovery recovery = RecoverSettingsFile();
        EXPECT_EQ(recovery.state, SettingsRecovery::State::Repaired);
        EXPECT_EQ(recovery.backupPath, IniPath() + ".bak");
        QFile backup(IniPath() + ".bak");
        ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
        EXPECT_EQ(backup.readAll(), c.bytes);
        EXPECT_NE(RecoveryMessage(recovery).find("Reversi.ini.bak"), std::string::npos);

        const Settings loaded = LoadSettings("/p");
        EXPECT_TRUE(loaded.boardSize == 8 || loaded.boardSize == 10);
        const StatisticsTable recovered = LoadStatistics();
        if (c.settingsAndFirstLevelsKept) {
            EXPECT_EQ(loaded.level, 5);
            EXPECT_EQ(loaded.port, 9100);
            EXPECT_EQ(recovered.Level(0, 1), (LevelCounters{61, 44, 0, 17}));
            // Past the cut a shorter table fills nothing.
            EXPECT_EQ(recovered.Totals(3), LevelCounters{});
        }
        // Repaired once: the next start finds a clean file and keeps the backup alone.
        EXPECT_EQ(RecoverSettingsFile().state, SettingsRecovery::State::Clean);
        EXPECT_FALSE(QFile::exists(IniPath() + ".bak.2"));
    }

    // A second damage keeps the first backup too.
    WriteIni(cut);
    EXPECT_EQ(RecoverSettingsFile().backupPath, IniPath() + ".bak.2");
    // What cannot be read at all cannot be kept aside, so nothing may replace it.
    ASSERT_TRUE(QFile::remove(IniPath()));
    ASSERT_TRUE(QDir().mkpath(IniPath()));
    EXPECT_EQ(RecoverSettingsFile().state, SettingsRecovery::State::BackupFailed);
}

// Both the defaults and every changed value come back at the next start. Every write goes to a new
// file that replaces the old one, so a kill at any moment leaves the old file or the new one, never
// a torn one, and leaves nothing else behind.
TEST_F(SettingsStoreTest, WrittenSettingsComeBackAtTheNextStart) {
    const Settings defaults = LoadSettings("/p");
    Settings changed = defaults;
    changed.port = 9100;
    changed.service = "svc, with comma";
    changed.versusComputer = false;
    changed.level = 4;
    changed.noviceLevel = false;
    changed.computerSide = White;
    changed.soundOn = changed.musicOn = changed.animationOn = changed.useTray = false;
    changed.callAsWhite = changed.callOn8x8 = changed.showMovesList = changed.showTips = false;
    changed.showPreviousMove = changed.showPossibleMoves = false;
    changed.cursorSkin = changed.borderSkin = 1;
    changed.boardSize = 10;
    changed.advancedEngine = true;
    changed.soundVolume = 0;
    changed.musicVolume = 255;
    changed.currentTip = 2;
    changed.musicFolder = "/home/me/Музыка";
    StatisticsTable statistics;
    statistics.RecordResult(2, 4, GameResult::Win);

    for (const Settings& s : {defaults, changed}) {
        for (const bool listening : {false, true}) {
            const auto before = Inode();
            ASSERT_TRUE(SaveAllSettings(s, &s, statistics, listening));
            EXPECT_NE(Inode(), before);
            ASSERT_TRUE(SaveTipSettings(s));
            if (s == defaults && !listening) {
                // The words and numbers are stored as text.
                const QByteArray ini = ReadIni();
                for (const char* line :
                     {"[options]", "level=0", "gamet=computer", "youpl=white", "engit=norm",
                      "prevm=show", "avmov=show", "brdim=8", "sndef=yes", "musef=yes",
                      "sound_volume=225", "showtips=yes", "currenttip=1000", "[net]", "port=8173",
                      "listn=no", "Statistics=@ByteArray("}) {
                    EXPECT_TRUE(ini.contains(line)) << line << "\n" << ini.toStdString();
                }
            }
            Settings back = LoadSettings("/p");
            EXPECT_EQ(back.listen, listening);
            back.listen = s.listen;
            EXPECT_EQ(back, s);
            EXPECT_EQ(LoadStatistics(), statistics);
        }
    }
    // Without the dialog's settings the window writer leaves them as they are.
    ASSERT_TRUE(SaveAllSettings(Settings{}, nullptr, statistics, false));
    EXPECT_EQ(LoadSettings("/p").level, 4);
    const QStringList left = QDir(folder.path() + "/Velmora").entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList{"Reversi.ini"});
}

TEST_F(SettingsStoreTest, AWriteThatCannotReachTheDiskIsReported) {
    // A plain file where the profile folder should be.
    QFile blocker(folder.path() + "/Velmora");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(SaveAllSettings(Settings{}, nullptr, StatisticsTable{}, false));
    EXPECT_FALSE(SaveTipSettings(Settings{}));
    EXPECT_EQ(LoadSettings("/p").port, 8173);
}

}  // namespace
}  // namespace velmora
