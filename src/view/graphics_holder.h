#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "support/image_loader.h"
#include "view/cursor_style.h"
#include "view/dib_header.h"
#include "view/dib_memory.h"
#include "view/fire_field.h"
#include "view/image_problem.h"
#include "view/pixel_surface.h"

namespace velmora {

// Reads one picture file; the holder uses LoadImagePixels, tests hand in their own sheets.
using ImageReader = std::function<std::optional<PixelImage>(const std::string& path)>;

// Owns every picture the board is made of (skins, back buffer, cursor save, flame field) and
// the primitives that compose the back buffer. Files that cannot be used are replaced by
// stand-ins of the right size and reported once each.
class GraphicsHolder {
  public:
    static constexpr int kLinehWidth = 530;
    static constexpr int kLinehHeight = 80;
    static constexpr int kLinevWidth = 80;
    static constexpr int kLinevHeight = 490;
    static constexpr int kFigsWidth8 = 915;
    static constexpr int kFigsHeight8 = 488;
    static constexpr int kFigsWidth10 = 735;
    static constexpr int kFigsHeight10 = 392;
    static constexpr int kHelpWidth8 = 2440;
    static constexpr int kHelpHeight8 = 122;
    static constexpr int kHelpWidth10 = 1960;
    static constexpr int kHelpHeight10 = 98;
    static constexpr int kCursorSaveSide = 61;

    // dataDir is the DATA folder (skin file names are appended to it).
    explicit GraphicsHolder(std::string dataDir, ImageReader reader = LoadImagePixels);
    GraphicsHolder(const GraphicsHolder&) = delete;
    GraphicsHolder& operator=(const GraphicsHolder&) = delete;

    // Loading and lifetime.
    void LoadBorder(int style);
    void LoadFigures(int style, bool tenByTen);
    void LoadHelp(int style, bool tenByTen);
    void SetCursorStyle(int style) { velmora::SetCursorStyle(cursor_, style); }
    void CreateBackBuffer(int width, int height);
    void FreeImages();
    // Files found unusable since the last call, each path reported only once per holder.
    std::vector<ImageProblem> TakeImageProblems();

    // Drawing primitives; all write into BackBuffer and read the source with the header's width.
    void SetSource(int width, int height);
    const DibHeader& Header() const { return header_; }
    void CopyBlock(int dstX, int dstY, int width, TDibMemory* source, int srcRow, int srcCol,
                   int height);
    void BlendBlock(int dstX, int dstY, int width, TDibMemory* source, int alpha, int srcRow,
                    int srcCol, int height);
    void BlendHLine(int x1, int x2, int y, int alpha, std::uint32_t colour);
    void BlendVLine(int x, int y1, int y2, int alpha, std::uint32_t colour);
    void BlendRect(int x1, int y1, int x2, int y2, int alpha, std::uint32_t colour);

    // The image slots (null when absent) and their sizes.
    TDibMemory* BackBuffer() const { return backBuffer_.get(); }
    TDibMemory* LinehImage() const { return lineh_.get(); }
    TDibMemory* LinevImage() const { return linev_.get(); }
    TDibMemory* FigsImage() const { return figs_.get(); }
    TDibMemory* HelpImage() const { return help_.get(); }
    int BackWidth() const { return backWidth_; }
    int BackHeight() const { return backHeight_; }
    int FigsWidth() const { return figsWidth_; }
    int FigsHeight() const { return figsHeight_; }
    int HelpWidth() const { return helpWidth_; }
    int HelpHeight() const { return helpHeight_; }

    CursorStyle& Cursor() { return cursor_; }
    const CursorStyle& Cursor() const { return cursor_; }
    FireField& FireBuffer() { return fire_; }
    std::array<std::uint32_t, kCursorSaveSide * kCursorSaveSide>& CursorSave() {
        return cursorSave_;
    }

  private:
    enum class Stand { Figures, Help, Border };

    // Fills `target` (width x height) from the file, reducing from fullWidth x fullHeight when
    // they differ; an unusable file leaves a stand-in instead.
    std::unique_ptr<TDibMemory> LoadSheet(const std::string& name, int width, int height,
                                          int fullWidth, int fullHeight, Stand stand);
    void Report(ImageProblem problem);
    // The back buffer as a locked-by-caller surface.
    PixelSurface BackSurface(std::uint32_t* bits) const { return {bits, backWidth_, backHeight_}; }
    PixelSurface SourceSurface(std::uint32_t* bits, std::size_t pixels) const;

    std::string dataDir_;
    ImageReader reader_;
    DibHeader header_;

    std::unique_ptr<TDibMemory> backBuffer_;
    std::unique_ptr<TDibMemory> lineh_;
    std::unique_ptr<TDibMemory> linev_;
    std::unique_ptr<TDibMemory> figs_;
    std::unique_ptr<TDibMemory> help_;
    int backWidth_ = 0;
    int backHeight_ = 0;
    int figsWidth_ = 0;
    int figsHeight_ = 0;
    int helpWidth_ = 0;
    int helpHeight_ = 0;

    CursorStyle cursor_;
    FireField fire_;
    std::array<std::uint32_t, kCursorSaveSide * kCursorSaveSide> cursorSave_{};

    std::vector<ImageProblem> pendingProblems_;
    std::set<std::string> reportedPaths_;
};

}  // namespace velmora
