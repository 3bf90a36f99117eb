#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/side_names.h"
#include "support/image_writer.h"
#include "view_rig.h"

namespace velmora {
namespace {

using testing::FakeFiles;
using testing::ViewRig;

std::filesystem::path ScratchDir(const std::string& name) {
    auto dir = std::filesystem::path(VELMORA_BINARY_DIR) / "view-test-data" / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

std::uint32_t CentrePixel(GraphicsHolder& holder, const BoardGeometry& g, int col, int row) {
    return testing::BackPixel(holder, g.SquareX(col) + g.cell / 2, g.SquareY(row) + g.cell / 2);
}

TEST(SkinFiles, MissingFilesGiveStandInsOfTheRightSizeReportedOnce) {
    for (const int size : {8, 10}) {
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
        const int m = size / 2;
        const std::uint32_t white = CentrePixel(holder, g, m - 1, m - 1);
        const std::uint32_t black = CentrePixel(holder, g, m - 1, m);
        const std::uint32_t emptyEven = CentrePixel(holder, g, 0, 0);
        const std::uint32_t emptyOdd = CentrePixel(holder, g, 1, 0);
        EXPECT_NE(white, black);
        EXPECT_NE(white, emptyEven);
        EXPECT_NE(black, emptyOdd);
        EXPECT_NE(emptyEven, emptyOdd);
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
    const std::uint32_t strip = testing::BackPixel(holder, 200, 5);
    EXPECT_NEAR(RedOf(strip), 0x33, 3);
    EXPECT_NEAR(BlueOf(strip), 0x99, 3);
}

TEST(SkinFiles, PicturesWithPixelsMissingAreTreatedAsWrongSized) {
    FakeFiles files = FakeFiles::Standard();
    files.files["Figs1.jpg"].pixels.resize(100);
    GraphicsHolder holder("DATA", files.Reader());
    holder.LoadFigures(0, false);
    const auto problems = holder.TakeImageProblems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].fault, ImageProblem::Fault::WrongSize);
    EXPECT_EQ(holder.FigsImage()->SizeBytes(), 915u * 488 * 4);
}

TEST(SkinChanges, SwitchingToTenByTenReloadsPiecesAndMarksButNotBorders) {
    ViewRig rig(8);
    const SkinChoice eight{.boardSize = 8};
    SkinChoice ten = eight;
    ten.boardSize = 10;
    const int borderReads = rig.files.reads["Lineh1.jpg"];
    const int figsReads = rig.files.reads["Figs1.jpg"];
    TDibMemory* lineh = rig.holder.LinehImage();
    GamePosition tenPosition;
    tenPosition.Reset(10);

    const SkinChangeOutcome outcome =
        ApplySkinChoice(rig.holder, rig.renderer, eight, ten, tenPosition.board);
    EXPECT_TRUE(outcome.reloaded);
    EXPECT_TRUE(outcome.sizeChanged);
    EXPECT_EQ(rig.holder.FigsWidth(), 735);
    EXPECT_EQ(rig.holder.FigsHeight(), 392);
    EXPECT_EQ(rig.holder.HelpWidth(), 1960);
    EXPECT_EQ(rig.holder.HelpHeight(), 98);
    EXPECT_EQ(rig.holder.BackWidth(), 530);
    EXPECT_EQ(rig.holder.BackHeight(), 530);
    EXPECT_EQ(rig.renderer.Geometry().cell, 49);
    EXPECT_EQ(rig.holder.LinehImage(), lineh);
    EXPECT_EQ(rig.files.reads["Lineh1.jpg"], borderReads);
    EXPECT_EQ(rig.files.reads["Figs1.jpg"], figsReads + 1);
    EXPECT_EQ(rig.presenter.repaints, 1);
    EXPECT_EQ(testing::BackPixel(rig.holder, 530 - 1, 0), testing::LinehColour(529, 40));
}

TEST(SkinChanges, SameSkinsOnlyRedrawAndACursorChangeReloadsNothing) {
    ViewRig rig(8);
    const SkinChoice skins{.boardSize = 8};
    const auto reads = rig.files.reads;
    TDibMemory* back = rig.holder.BackBuffer();

    auto outcome = ApplySkinChoice(rig.holder, rig.renderer, skins, skins, rig.position.board);
    EXPECT_FALSE(outcome.reloaded);
    EXPECT_FALSE(outcome.sizeChanged);
    EXPECT_EQ(rig.holder.BackBuffer(), back);
    EXPECT_EQ(rig.presenter.repaints, 1);

    SkinChoice fiery = skins;
    fiery.cursorSkin = 1;
    outcome = ApplySkinChoice(rig.holder, rig.renderer, skins, fiery, rig.position.board);
    EXPECT_FALSE(outcome.reloaded);
    EXPECT_TRUE(rig.holder.Cursor().flameCursor);
    EXPECT_EQ(rig.files.reads, reads);
    ApplySkinChoice(rig.holder, rig.renderer, fiery, skins, rig.position.board);
    EXPECT_FALSE(rig.holder.Cursor().flameCursor);
    EXPECT_NE(rig.holder.Cursor().flamePaletteOdd[200], 0u);

    SkinChoice dark = skins;
    dark.borderSkin = 1;
    outcome = ApplySkinChoice(rig.holder, rig.renderer, skins, dark, rig.position.board);
    EXPECT_TRUE(outcome.reloaded);
    EXPECT_EQ(rig.files.reads["Lineh2.jpg"], 1);
    EXPECT_EQ(rig.files.reads["Linev2.jpg"], 1);
    EXPECT_EQ(rig.files.reads["Figs1.jpg"], reads.at("Figs1.jpg"));
}

TEST(SkinChanges, StoredIndicesAreBoundedBothWays) {
    const SkinChoice wild{
        .figureSkin = 3, .cursorSkin = 5, .helpSkin = -2, .borderSkin = -1, .boardSize = 9};
    const SkinChoice sane = ClampSkinChoice(wild);
    EXPECT_EQ(
        sane,
        (SkinChoice{
            .figureSkin = 0, .cursorSkin = 1, .helpSkin = 0, .borderSkin = 0, .boardSize = 8}));
    EXPECT_EQ(ClampSkinChoice({.cursorSkin = -7, .borderSkin = 9, .boardSize = 10}),
              (SkinChoice{.cursorSkin = 0, .borderSkin = 1, .boardSize = 10}));
}

TEST(SkinChanges, TheAmberPiecesNameTheSides) {
    SetSideNames("x", "y");
    FakeFiles files = FakeFiles::Standard();
    GraphicsHolder holder("DATA", files.Reader());
    holder.LoadFigures(0, false);
    EXPECT_EQ(SideName(White), "Жёлтые");
    EXPECT_EQ(SideName(Black), "Зелёные");
}

}  // namespace
}  // namespace velmora
