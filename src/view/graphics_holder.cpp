#include "view/graphics_holder.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "engine/side_names.h"
#include "view/fallback_images.h"
#include "view/pixel_ops.h"
#include "view/resample_image.h"

namespace velmora {

namespace {

constexpr int kFullCell = 61;

std::size_t BytesOf(int width, int height) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
}

}  // namespace

GraphicsHolder::GraphicsHolder(std::string dataDir, ImageReader reader)
    : dataDir_(std::move(dataDir)), reader_(std::move(reader)) {
    fire_.Clear();
    SetCursorStyle(0);
}

void GraphicsHolder::Report(ImageProblem problem) {
    if (reportedPaths_.insert(problem.path).second) {
        pendingProblems_.push_back(std::move(problem));
    }
}

std::vector<ImageProblem> GraphicsHolder::TakeImageProblems() {
    return std::exchange(pendingProblems_, {});
}

std::unique_ptr<TDibMemory> GraphicsHolder::LoadSheet(const std::string& name, int width,
                                                      int height, int fullWidth, int fullHeight,
                                                      Stand stand) {
    const std::string path = dataDir_ + "/" + name;
    std::optional<PixelImage> image = reader_ ? reader_(path) : std::nullopt;
    if (!image) {
        Report({.path = path,
                .fault = ImageProblem::Fault::Unreadable,
                .expectedWidth = fullWidth,
                .expectedHeight = fullHeight});
    } else if (image->width != fullWidth || image->height != fullHeight ||
               image->pixels.size() != static_cast<std::size_t>(fullWidth) * fullHeight) {
        Report({.path = path,
                .fault = ImageProblem::Fault::WrongSize,
                .foundWidth = image->width,
                .foundHeight = image->height,
                .expectedWidth = fullWidth,
                .expectedHeight = fullHeight});
        image.reset();
    }
    if (!image) {
        switch (stand) {
            case Stand::Figures:
                image = MakeFallbackFigures(kFullCell);
                break;
            case Stand::Help:
                image = MakeFallbackHelp(kFullCell);
                break;
            case Stand::Border:
                image = MakeFallbackBorder(fullWidth, fullHeight);
                break;
        }
    }

    auto block = std::make_unique<TDibMemory>(BytesOf(width, height));
    DibLock lock(block.get());
    if (lock.Bits() == nullptr) {
        return block;
    }
    if (width == fullWidth && height == fullHeight) {
        std::memcpy(lock.Bits(), image->pixels.data(), BytesOf(width, height));
    } else {
        ResampleImage(image->pixels.data(), lock.Bits(), fullWidth, fullHeight, width, height);
    }
    return block;
}

void GraphicsHolder::LoadBorder(int style) {
    lineh_.reset();
    linev_.reset();
    const char* suffix = std::clamp(style, 0, 1) == 0 ? "1.jpg" : "2.jpg";
    linev_ = LoadSheet(std::string("Linev") + suffix, kLinevWidth, kLinevHeight, kLinevWidth,
                       kLinevHeight, Stand::Border);
    lineh_ = LoadSheet(std::string("Lineh") + suffix, kLinehWidth, kLinehHeight, kLinehWidth,
                       kLinehHeight, Stand::Border);
}

void GraphicsHolder::LoadFigures(int style, bool tenByTen) {
    if (style == 0) {
        SetSideNames("Жёлтые", "Зелёные");
    }
    figs_.reset();
    figsWidth_ = tenByTen ? kFigsWidth10 : kFigsWidth8;
    figsHeight_ = tenByTen ? kFigsHeight10 : kFigsHeight8;
    if (style == 0) {
        figs_ = LoadSheet("Figs1.jpg", figsWidth_, figsHeight_, kFigsWidth8, kFigsHeight8,
                          Stand::Figures);
    }
}

void GraphicsHolder::LoadHelp(int style, bool tenByTen) {
    help_.reset();
    helpWidth_ = tenByTen ? kHelpWidth10 : kHelpWidth8;
    helpHeight_ = tenByTen ? kHelpHeight10 : kHelpHeight8;
    if (style == 0) {
        help_ =
            LoadSheet("Help1.jpg", helpWidth_, helpHeight_, kHelpWidth8, kHelpHeight8, Stand::Help);
    }
}

void GraphicsHolder::CreateBackBuffer(int width, int height) {
    backBuffer_ = std::make_unique<TDibMemory>(BytesOf(width, height));
    backWidth_ = backBuffer_->Valid() ? width : 0;
    backHeight_ = backBuffer_->Valid() ? height : 0;
}

void GraphicsHolder::FreeImages() {
    lineh_.reset();
    linev_.reset();
    figs_.reset();
    backBuffer_.reset();
    help_.reset();
    backWidth_ = backHeight_ = 0;
}

void GraphicsHolder::SetSource(int width, int height) {
    header_.width = width;
    header_.height = height;
}

PixelSurface GraphicsHolder::SourceSurface(std::uint32_t* bits, std::size_t pixels) const {
    if (bits == nullptr || header_.width <= 0) {
        return {};
    }
    const std::size_t rows = pixels / static_cast<std::size_t>(header_.width);
    return {bits, header_.width, static_cast<int>(std::min<std::size_t>(rows, 1u << 30))};
}

void GraphicsHolder::CopyBlock(int dstX, int dstY, int width, TDibMemory* source, int srcRow,
                               int srcCol, int height) {
    DibLock back(backBuffer_.get());
    DibLock src(source);
    CopyPixels(BackSurface(back.Bits()), dstX, dstY, width, SourceSurface(src.Bits(), src.Pixels()),
               srcRow, srcCol, height);
}

void GraphicsHolder::BlendBlock(int dstX, int dstY, int width, TDibMemory* source, int alpha,
                                int srcRow, int srcCol, int height) {
    DibLock back(backBuffer_.get());
    DibLock src(source);
    BlendPixels(BackSurface(back.Bits()), dstX, dstY, width,
                SourceSurface(src.Bits(), src.Pixels()), alpha, srcRow, srcCol, height);
}

void GraphicsHolder::BlendHLine(int x1, int x2, int y, int alpha, std::uint32_t colour) {
    DibLock back(backBuffer_.get());
    BlendHLinePixels(BackSurface(back.Bits()), x1, x2, y, alpha, colour);
}

void GraphicsHolder::BlendVLine(int x, int y1, int y2, int alpha, std::uint32_t colour) {
    DibLock back(backBuffer_.get());
    BlendVLinePixels(BackSurface(back.Bits()), x, y1, y2, alpha, colour);
}

void GraphicsHolder::BlendRect(int x1, int y1, int x2, int y2, int alpha, std::uint32_t colour) {
    DibLock back(backBuffer_.get());
    BlendRectPixels(BackSurface(back.Bits()), x1, y1, x2, y2, alpha, colour);
}

}  // namespace velmora
