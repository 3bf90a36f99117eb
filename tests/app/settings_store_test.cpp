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

    QByteArray ReadIni() const {
        QFile file(IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
};

TEST_F(SettingsStoreTest, EmptyProfileGivesDefaultsAndTheMusicFolderBesideTheProgram) {
    const Settings s = LoadSettings("/opt/velmora/bin/");
    Settings expected;
    expected.musicFolder = "/opt/velmora/bin/DATA/MUSIC";
    EXPECT_EQ(s, expected);
    EXPECT_EQ(LoadStatistics(), StatisticsTable{});
}

TEST_F(SettingsStoreTest, IniTextIsReadByTheTableRules) {
    WriteIni(
        "[net]\n"
        "port=9001\n"
        "service=reversi\n"
        "listn=\n"
        "[options]\n"
        "level=12\n"
        "brdim=10\n"
        "tcurs=7\n"
        "tfigs=3\n"
        "sndef=Yes\n"
        "youpl=black\n"
        "engit=advn\n"
        "currenttip=-7\n"
        "music_folder=/home/me/Музыка\n");
    const Settings s = LoadSettings("/p");
    EXPECT_EQ(s.port, 9001);
    EXPECT_EQ(s.service, "reversi");
    EXPECT_TRUE(s.listen);  // empty is not "no"
    EXPECT_EQ(s.level, 9);
    EXPECT_FALSE(s.noviceLevel);
    EXPECT_EQ(s.boardSize, 10);
    EXPECT_EQ(s.cursorSkin, 1);
    EXPECT_EQ(s.figureSkin, 0);
    EXPECT_FALSE(s.soundOn);
    EXPECT_EQ(s.computerSide, White);
    EXPECT_TRUE(s.advancedEngine);
    EXPECT_EQ(s.currentTip, -7);
    EXPECT_TRUE(s.musicOn);
    EXPECT_EQ(s.musicFolder, "/home/me/Музыка");
}

TEST_F(SettingsStoreTest, ValuesOfAnotherKindCountAsAbsent) {
    WriteIni(
        "[net]\n"
        "port=@ByteArray(8000)\n"
        "listn=a, b\n"
        "[options]\n"
        "level=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
        "sound_volume=1, 2\n"
        "music_volume=@Invalid()\n"
        "gamet=@ByteArray(human)\n");
    const Settings s = LoadSettings("/p");
    EXPECT_EQ(s.port, 8173);
    EXPECT_FALSE(s.listen);
    EXPECT_EQ(s.level, 1);
    EXPECT_TRUE(s.noviceLevel);
    EXPECT_EQ(s.soundVolume, 225);
    EXPECT_EQ(s.musicVolume, 120);
    EXPECT_TRUE(s.versusComputer);
}

// A file that does not read cleanly is copied aside whole before anything is written, the
// player is told, and what it still holds is read: the settings on its other lines and the
// statistics before a cut. Start-up goes on whatever the bytes.
TEST_F(SettingsStoreTest, ADamagedFileIsKeptAsideAndWhatItHoldsIsRecovered) {
    // Counters of 61 and 44 are '=' and ',' bytes, so the value is written in quotes.
    StatisticsTable::Bytes bytes{};
    bytes[StatisticsTable::ByteOffset(0, 1, kGamesCounter)] = 61;
    bytes[StatisticsTable::ByteOffset(0, 1, kWinsCounter)] = 44;
    bytes[StatisticsTable::ByteOffset(3, 9, kGamesCounter)] = 7;
    const StatisticsTable table = StatisticsTable::FromBytes(bytes);
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
            EXPECT_EQ(recovered.Counter(0, 1, kGamesCounter), 61u);
            EXPECT_EQ(recovered.Counter(0, 1, kWinsCounter), 44u);
            // Past the cut a shorter table fills nothing.
            EXPECT_EQ(recovered.Counter(3, 9, kGamesCounter), 0u);
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

// Every write goes to a new file that replaces the old one, so a kill at any moment leaves
// the old file or the new one, never a torn one, and leaves nothing else behind.
TEST_F(SettingsStoreTest, EveryWriteReplacesTheFileWhole) {
    Settings s = LoadSettings("/p");
    ASSERT_TRUE(SaveAllSettings(s, &s, StatisticsTable{}, false));
    const auto inode = [this] {
        struct stat info {};
        return ::stat(IniPath().toLocal8Bit().constData(), &info) == 0 ? info.st_ino : 0;
    };
    const auto first = inode();
    ASSERT_NE(first, 0u);
    s.level = 7;
    s.noviceLevel = false;
    ASSERT_TRUE(SaveAllSettings(s, &s, StatisticsTable{}, false));
    EXPECT_NE(inode(), first);
    EXPECT_EQ(LoadSettings("/p").level, 7);
    const QStringList left = QDir(folder.path() + "/Velmora").entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, QStringList{"Reversi.ini"});
}

TEST_F(SettingsStoreTest, WrittenSettingsComeBackAtTheNextStart) {
    Settings s = LoadSettings("/p");
    s.port = 9100;
    s.service = "svc, with comma";
    s.level = 4;
    s.noviceLevel = false;
    s.computerSide = White;
    s.boardSize = 10;
    s.cursorSkin = 1;
    s.advancedEngine = true;
    s.soundOn = false;
    s.showPreviousMove = false;
    s.showMovesList = false;
    s.callOn8x8 = false;
    s.soundVolume = 0;
    s.musicVolume = 255;
    s.currentTip = 2;
    s.showTips = false;
    s.musicFolder = "/home/me/Музыка";
    StatisticsTable statistics;
    statistics.RecordResult(2, 4, GameResult::Win);

    ASSERT_TRUE(SaveAllSettings(s, &s, statistics, true));
    ASSERT_TRUE(SaveTipSettings(s));
    Settings back = LoadSettings("/elsewhere");
    EXPECT_TRUE(back.listen);
    back.listen = s.listen;
    EXPECT_EQ(back, s);
    EXPECT_EQ(LoadStatistics(), statistics);

    ASSERT_TRUE(SaveAllSettings(s, nullptr, statistics, false));
    EXPECT_FALSE(LoadSettings("/p").listen);
}

TEST_F(SettingsStoreTest, FileHoldsTheWordsAndNumbersAsText) {
    const Settings defaults = LoadSettings("/p");
    ASSERT_TRUE(SaveAllSettings(defaults, &defaults, StatisticsTable{}, false));
    const QByteArray ini = ReadIni();
    for (const char* line : {"[options]", "level=0", "gamet=computer", "youpl=white", "engit=norm",
                             "prevm=show", "brdim=8", "sndef=yes", "sound_volume=225", "[net]",
                             "port=8173", "listn=no", "Statistics=@ByteArray("}) {
        EXPECT_TRUE(ini.contains(line)) << line << "\n" << ini.toStdString();
    }
    // A writer leaves the values of the others alone.
    ASSERT_TRUE(SaveTipSettings(defaults));
    EXPECT_TRUE(ReadIni().contains("port=8173"));
    EXPECT_TRUE(ReadIni().contains("showtips=yes"));
}

TEST_F(SettingsStoreTest, StatisticsOfTheWrongKindOrLengthReadAsZeros) {
    StatisticsTable table;
    table.RecordResult(0, 3, GameResult::Draw);
    ASSERT_TRUE(SaveStatistics(table));
    EXPECT_EQ(LoadStatistics(), table);

    const StatisticsTable::Bytes bytes = table.ToBytes();
    QByteArray longer(reinterpret_cast<const char*>(bytes.data()), 640);
    longer.append('\1');
    {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, "Velmora", "Reversi");
        store.setValue("Statistics", longer);
    }
    EXPECT_EQ(LoadStatistics(), StatisticsTable{});
    {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, "Velmora", "Reversi");
        store.setValue("Statistics", QByteArray("\x05\0\0\0\x02", 5));
    }
    const StatisticsTable shorter = LoadStatistics();
    EXPECT_EQ(shorter.Counter(0, 0, kGamesCounter), 5u);
    EXPECT_EQ(shorter.Counter(0, 0, kWinsCounter), 2u);
    EXPECT_EQ(shorter.Counter(0, 3, kGamesCounter), 0u);
    {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, "Velmora", "Reversi");
        store.setValue("Statistics", QString("not binary"));
    }
    EXPECT_EQ(LoadStatistics(), StatisticsTable{});
}

TEST_F(SettingsStoreTest, AWriteThatCannotReachTheDiskIsReported) {
    // A plain file where the profile folder should be.
    QFile blocker(folder.path() + "/Velmora");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(SaveAllSettings(Settings{}, nullptr, StatisticsTable{}, false));
    EXPECT_FALSE(SaveStatistics(StatisticsTable{}));
    EXPECT_EQ(LoadSettings("/p").port, 8173);
}

}  // namespace
}  // namespace velmora
