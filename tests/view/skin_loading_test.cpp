#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "engine/side_names.h"
#include "support/image_writer.h"
#include "view_rig.h"

namespace velmora {
namespace {

using testing::BackPixel;
using testing::FakeFiles;
using testing::ViewRig;

std::filesystem::path ScratchDir(const std::string& name) {
    auto dir = std::filesystem::path(VELMORA_BINARY_DIR) / "view-test-data" / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

TEST(SkinFiles, MissingFilesGiveStandInsOfTheRightSizeReportedOnce) {
    for (const int size : {8, 10}) {
        SCOPED_TRACE(size);
        const auto dir = ScratchDir("missing");  // exists, but holds no pictures
        GraphicsHolder holder(dir.string());
        BoardRenderer renderer(holder);
        LoadAllSkins(holder, renderer, {.boardSize = size});
        const bool ten = size == 10;
        ASSERT_NE(holder.FigsImage(), nullptr);
        EXPECT_EQ(holder.FigsImage()->SizeBytes(), ten ? 735u * 392 * 4 : 915u * 488 * 4);
        EXPECT_EQ(holder.HelpImage()->SizeBytes(), ten ? 1960u * 98 * 4 : 2440u * 122 * 4);
        EXPECT_EQ(holder.LinehImage()->SizeBytes(), 530u * 80 * 4);
        EXPECT_EQ(holder.LinevImage()->SizeBytes(), 80u * 490 * 4);
        const auto problems = holder.TakeImageProblems();
        ASSERT_EQ(problems.size(), 4u);
        for (const auto& p : problems) {
            EXPECT_EQ(p.fault, ImageProblem::Fault::Unreadable);
            EXPECT_EQ(std::filesystem::path(p.path).parent_path(), dir);
        }
        EXPECT_EQ(problems[2].path, (dir / "Figs1.jpg").string());
        EXPECT_EQ(problems[2].expectedWidth, 915);
        // Loading again tells nothing new.
        holder.LoadFigures(0, ten);
        holder.LoadBorder(0);
        EXPECT_TRUE(holder.TakeImageProblems().empty());

        // The stand-ins still tell empty squares and both colours apart.
        GamePosition position;
        position.Reset(size);
        renderer.DrawBoard(position.board);
        const BoardGeometry& g = renderer.Geometry();
        auto centre = [&](int col, int row) {
            return BackPixel(holder, g.SquareX(col) + g.cell / 2, g.SquareY(row) + g.cell / 2);
        };
        const int m = size / 2;
        const std::set<std::uint32_t> looks = {centre(m - 1, m - 1), centre(m - 1, m), centre(0, 0),
                                               centre(1, 0)};
        EXPECT_EQ(looks.size(), 4u);
    }
}

TEST(SkinFiles, UnreadableAndWrongSizedFilesAreReplacedAndNamed) {
    const auto dir = ScratchDir("broken");
    std::ofstream(dir / "Figs1.jpg") << "this is not a picture";
    PixelImage small{100, 60, std::vector<std::uint32_t>(6000, 0x00FF00)};
    ASSERT_TRUE(SaveJpeg((dir / "Help1.jpg").string(), small));
    ASSERT_TRUE(SaveJpeg((dir / "Lineh1.jpg").string(),
                         PixelImage{530, 80, std::vector<std::uint32_t>(530 * 80, 0x336699)}));

    GraphicsHolder holder(dir.string());
    BoardRenderer renderer(holder);
    LoadAllSkins(holder, renderer, {.boardSize = 10});
    auto problems = holder.TakeImageProblems();
    ASSERT_EQ(problems.size(), 3u);  // Linev1 missing, Figs1 unreadable, Help1 wrong size
    EXPECT_EQ(problems[0].path, (dir / "Linev1.jpg").string());
    EXPECT_EQ(problems[1].path, (dir / "Figs1.jpg").string());
    EXPECT_EQ(problems[1].fault, ImageProblem::Fault::Unreadable);
    EXPECT_EQ(problems[2], (ImageProblem{(dir / "Help1.jpg").string(),
                                         ImageProblem::Fault::WrongSize, 100, 60, 2440, 122}));
    EXPECT_EQ(holder.HelpImage()->SizeBytes(), 1960u * 98 * 4);

    // The good file was used: its colour shows in the top strip (JPEG may shift it slightly).
    GamePosition position;
    position.Reset(10);
    renderer.DrawBoard(position.board);
    const std::uint32_t strip = BackPixel(holder, 200, 5);
    EXPECT_NEAR(RedOf(strip), 0x33, 3);
    EXPECT_NEAR(BlueOf(strip), 0x99, 3);

    // A picture of the right size with pixels missing counts as wrong-sized. The amber pieces
    // name the sides all the same.
    SetSideNames("x", "y");
    FakeFiles files = FakeFiles::Standard();
    files.files["Figs1.jpg"].pixels.resize(100);
    GraphicsHolder fake("DATA", files.Reader());
    fake.LoadFigures(0, false);
    EXPECT_EQ(SideName(White), "Жёлтые");
    EXPECT_EQ(SideName(Black), "Зелёные");
    problems = fake.TakeImageProblems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].fault, ImageProblem::Fault::WrongSize);
    EXPECT_EQ(fake.FigsImage()->SizeBytes(), 915u * 488 * 4);
}

TEST(SkinChanges, ReloadOnlyWhatChangedThenRedrawAndRepaint) {
    struct {
        const char* name;
        SkinChoice after;
        bool reloaded, sizeChanged;
        std::map<std::string, int> newReads;
    } const cases[] = {
        {"same skins", {}, false, false, {}},
        {"fiery cursor", {.cursorSkin = 1}, false, false, {}},
        {"dark border", {.borderSkin = 1}, true, false, {{"Lineh2.jpg", 1}, {"Linev2.jpg", 1}}},
        {"10 x 10", {.boardSize = 10}, true, true, {{"Figs1.jpg", 1}, {"Help1.jpg", 1}}},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        ViewRig rig(8);
        GraphicsHolder& h = rig.holder;
        rig.files.reads.clear();
        TDibMemory* back = h.BackBuffer();
        GamePosition position;
        position.Reset(t.after.boardSize);
        const SkinChangeOutcome outcome =
            ApplySkinChoice(h, rig.renderer, {}, t.after, position.board);
        EXPECT_EQ(outcome.reloaded, t.reloaded);
        EXPECT_EQ(outcome.sizeChanged, t.sizeChanged);
        EXPECT_EQ(rig.files.reads, t.newReads);
        EXPECT_EQ(rig.presenter.repaints, 1);
        EXPECT_EQ(h.Cursor().flameCursor, t.after.cursorSkin == 1);
        EXPECT_TRUE(t.reloaded || h.BackBuffer() == back);
        const bool ten = t.after.boardSize == 10;
        EXPECT_EQ(std::vector({h.FigsWidth(), h.FigsHeight(), h.HelpWidth(), h.HelpHeight()}),
                  ten ? std::vector({735, 392, 1960, 98}) : std::vector({915, 488, 2440, 122}));
        EXPECT_EQ(std::pair(h.BackWidth(), rig.Cell()),
                  ten ? std::pair(530, 49) : std::pair(528, 61));
        // Redrawn: the top strip's last pixel from the strip rows of the new size.
        EXPECT_EQ(BackPixel(h, h.BackWidth() - 1, 0),
                  testing::LinehColour(h.BackWidth() - 1, ten ? 40 : 0));
    }
}

TEST(SkinChanges, StoredIndicesAreBoundedBothWays) {
    EXPECT_EQ(
        ClampSkinChoice(
            {.figureSkin = 3, .cursorSkin = 5, .helpSkin = -2, .borderSkin = -1, .boardSize = 9}),
        (SkinChoice{.cursorSkin = 1, .boardSize = 8}));
    EXPECT_EQ(ClampSkinChoice({.cursorSkin = -7, .borderSkin = 9, .boardSize = 10}),
              (SkinChoice{.cursorSkin = 0, .borderSkin = 1, .boardSize = 10}));
}

}  // namespace
}  // namespace velmora
