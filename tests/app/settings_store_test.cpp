#include <gtest/gtest.h>

#include <QByteArray>
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

TEST_F(SettingsStoreTest, ABrokenFileNeverStopsStartUp) {
    QByteArray junk;
    for (int i = 0; i < 4096; ++i) {
        junk.append(static_cast<char>((i * 7919) % 251));
    }
    junk.append("\n[options\nlevel=3\n=\n[]\nbrdim=\\");
    WriteIni(junk);
    const Settings s = LoadSettings("/p");
    EXPECT_GE(s.level, 1);
    EXPECT_LE(s.level, 9);
    EXPECT_TRUE(s.boardSize == 8 || s.boardSize == 10);
    EXPECT_EQ(LoadStatistics(), StatisticsTable{});

    // The next exit writes a clean file again.
    Settings changed = s;
    changed.level = 6;
    changed.noviceLevel = false;
    EXPECT_TRUE(SaveDialogSettings(changed));
    EXPECT_EQ(LoadSettings("/p").level, 6);
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

    ASSERT_TRUE(SaveWindowSettings(s, statistics, true));
    ASSERT_TRUE(SaveDialogSettings(s));
    ASSERT_TRUE(SaveTipSettings(s));
    Settings back = LoadSettings("/elsewhere");
    EXPECT_TRUE(back.listen);
    back.listen = s.listen;
    EXPECT_EQ(back, s);
    EXPECT_EQ(LoadStatistics(), statistics);

    ASSERT_TRUE(SaveWindowSettings(s, statistics, false));
    EXPECT_FALSE(LoadSettings("/p").listen);
}

TEST_F(SettingsStoreTest, FileHoldsTheWordsAndNumbersAsText) {
    const Settings defaults = LoadSettings("/p");
    ASSERT_TRUE(SaveDialogSettings(defaults));
    ASSERT_TRUE(SaveWindowSettings(defaults, StatisticsTable{}, false));
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
    EXPECT_FALSE(SaveDialogSettings(Settings{}));
    EXPECT_FALSE(SaveWindowSettings(Settings{}, StatisticsTable{}, false));
    EXPECT_FALSE(SaveStatistics(StatisticsTable{}));
    EXPECT_EQ(LoadSettings("/p").port, 8173);
}

}  // namespace
}  // namespace velmora
