#include "board_preview.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdint>
#include <vector>

#include "skin_geometry.h"

namespace velmora::assets {

namespace {

// A bottom-up 0x00RRGGBB block, as the renderer keeps its images.
struct Block {
    int width = 0, height = 0;
    std::vector<std::uint32_t> px;
    std::uint32_t& At(int col, int blockRow) {
        return px[static_cast<size_t>(blockRow) * width + col];
    }
};

bool Load(const std::string& path, Block& b) {
    QImage img(QString::fromStdString(path));
    if (img.isNull())
        return false;
    img = img.convertToFormat(QImage::Format_RGB32);
    b.width = img.width();
    b.height = img.height();
    b.px.resize(static_cast<size_t>(b.width) * b.height);
    for (int y = 0; y < b.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < b.width; ++x)
            b.At(x, b.height - 1 - y) = line[x] & 0xFFFFFFu;
    }
    return true;
}

QImage ToImage(Block& b) {
    QImage img(b.width, b.height, QImage::Format_RGB32);
    for (int y = 0; y < b.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < b.width; ++x)
            line[x] = 0xFF000000u | b.At(x, b.height - 1 - y);
    }
    return img;
}

void CopyBlock(Block& dst, int dstX, int dstY, int width, Block& src, int srcRow, int srcCol,
               int height) {
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            dst.At(dstX + c, dstY + r) = src.At(srcCol + c, srcRow + r);
}

// The renderer's area-averaging reduction for the 10 x 10 sheets.
Block Resample(const Block& src, int dstW, int dstH) {
    struct Acc {
        std::uint16_t b = 0, g = 0, r = 0, w = 0;
    };
    std::vector<Acc> acc(static_cast<size_t>(dstW + 1) * (dstH + 1));
    float sx = static_cast<float>(dstW) / src.width, sy = static_cast<float>(dstH) / src.height;
    float hx = sx / 2, hy = sy / 2;
    auto add = [&](int x, int y, std::uint32_t p, int times) {
        Acc& a = acc[static_cast<size_t>(y) * dstW + x];
        a.b = static_cast<std::uint16_t>(a.b + times * (p & 0xFF));
        a.g = static_cast<std::uint16_t>(a.g + times * ((p >> 8) & 0xFF));
        a.r = static_cast<std::uint16_t>(a.r + times * ((p >> 16) & 0xFF));
        a.w = static_cast<std::uint16_t>(a.w + times);
    };
    float fx = 0;
    for (int x = 0; x < src.width; ++x, fx += sx) {
        float fy = 0;
        for (int y = 0; y < src.height; ++y, fy += sy) {
            int dx0 = static_cast<int>(std::lround(fx)),
                dx1 = static_cast<int>(std::lround(fx + hx));
            int dy0 = static_cast<int>(std::lround(fy)),
                dy1 = static_cast<int>(std::lround(fy + hy));
            std::uint32_t p = src.px[static_cast<size_t>(y) * src.width + x];
            add(dx0, dy0, p, 4);
            add(dx1, dy1, p, 1);
            add(dx0, dy1, p, 1);
            add(dx1, dy0, p, 1);
        }
    }
    Block out{dstW, dstH, std::vector<std::uint32_t>(static_cast<size_t>(dstW) * dstH)};
    for (size_t i = 0; i < out.px.size(); ++i) {
        const Acc& a = acc[i];
        if (a.w == 0)
            continue;
        out.px[i] = (a.b / a.w) | ((a.g / a.w) << 8) | ((a.r / a.w) << 16);
    }
    return out;
}

enum Cell { kEmpty, kWhite, kBlack };

struct Skins {
    Block lineh, linev, figs, help;
};

// DrawBoard, plus optional possible-move marks (help frame `markFrame` on `marks`).
QImage Compose(Skins& s, int n, const std::vector<Cell>& cells, const std::vector<bool>& marks,
               int markFrame) {
    const int c = n == 8 ? kCell : kCellTen;
    const int side = n * c + 40;
    Block bb{side, side, std::vector<std::uint32_t>(static_cast<size_t>(side) * side)};
    if (n == 8) {
        CopyBlock(bb, 0, 0, 528, s.lineh, 40, 0, 20);
        CopyBlock(bb, 0, 508, 528, s.lineh, 60, 0, 20);
        CopyBlock(bb, 0, 20, 20, s.linev, 2, 0, 488);
        CopyBlock(bb, 508, 20, 20, s.linev, 2, 20, 488);
    } else {
        CopyBlock(bb, 0, 0, 530, s.lineh, 0, 0, 20);
        CopyBlock(bb, 0, 510, 530, s.lineh, 20, 0, 20);
        CopyBlock(bb, 0, 20, 20, s.linev, 0, 40, 490);
        CopyBlock(bb, 510, 20, 20, s.linev, 0, 60, 490);
    }
    for (int col = 0; col < n; ++col)
        for (int row = 0; row < n; ++row) {
            bool even = (col + row) % 2 == 0;
            Cell v = cells[col * n + row];
            int k = v == kWhite ? (even ? 6 : 7) : (even ? 4 : 5);
            int f = v == kEmpty ? 0 : 14;
            int dstX = 20 + c * col, dstY = (n - 1 - row) * c + 20;
            if (marks[col * n + row])
                CopyBlock(bb, dstX, dstY, c, s.help, even ? c : 0, markFrame * c, c);
            else
                CopyBlock(bb, dstX, dstY, c, s.figs, (7 - k) * c, f * c, c);
        }
    return ToImage(bb);
}

std::vector<Cell> StartPosition(int n) {
    std::vector<Cell> cells(n * n, kEmpty);
    int m = n / 2 - 1;
    cells[m * n + m] = kWhite;
    cells[(m + 1) * n + m + 1] = kWhite;
    cells[m * n + m + 1] = kBlack;
    cells[(m + 1) * n + m] = kBlack;
    return cells;
}

// A game some twenty moves in, from a column-major text of w, b and dots.
std::vector<Cell> FromText(int n, const char* text) {
    std::vector<Cell> cells(n * n, kEmpty);
    for (int i = 0; i < n * n; ++i)
        cells[i] = text[i] == 'w' ? kWhite : text[i] == 'b' ? kBlack : kEmpty;
    return cells;
}

}  // namespace

bool WriteBoardPreviews(const std::string& skinDir, const std::string& dir) {
    Skins full;
    if (!Load(skinDir + "/Figs1.jpg", full.figs) || !Load(skinDir + "/Help1.jpg", full.help))
        return false;
    for (int dark = 0; dark < 2; ++dark) {
        std::string suffix = dark ? "2" : "1";
        Skins s = full;
        if (!Load(skinDir + "/Lineh" + suffix + ".jpg", s.lineh) ||
            !Load(skinDir + "/Linev" + suffix + ".jpg", s.linev))
            return false;
        for (int n : {8, 10}) {
            Skins sized = s;
            if (n == 10) {
                sized.figs = Resample(s.figs, 735, 392);
                sized.help = Resample(s.help, 1960, 98);
            }
            std::vector<bool> none(n * n, false);
            std::string name = dir + "/board" + std::to_string(n) + "_border" + suffix;
            Compose(sized, n, StartPosition(n), none, 0)
                .save(QString::fromStdString(name + "_start.png"));
            if (n == 8) {
                const char* game =
                    "........"
                    "...b...."
                    "..bbw..."
                    ".bwwwb.."
                    "..wbbw.."
                    "...wbb.."
                    "....w..."
                    "........";
                std::vector<bool> marks(64, false);
                for (int sq : {2 * 8 + 1, 1 * 8 + 2, 6 * 8 + 5, 4 * 8 + 6, 5 * 8 + 2})
                    marks[sq] = true;
                for (int f : {6, 20})
                    Compose(sized, n, FromText(8, game), marks, f)
                        .save(QString::fromStdString(name + "_game_mark" + std::to_string(f) +
                                                     ".png"));
            }
        }
    }
    return true;
}

}  // namespace velmora::assets
