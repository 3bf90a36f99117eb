#include "skin_icons.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "assetkit/raster.h"
#include "assetkit/rng.h"

namespace velmora::assets {

namespace {

constexpr int kCell = 61;
const QColor kFrame1(240, 196, 89), kFrame2(208, 148, 73);

QImage Cell(const QImage& sheet, int row, int frame) {
    return sheet.copy(frame * kCell, row * kCell, kCell, kCell);
}

QImage Shrink(const QImage& img) {
    return ToQImage(Resize(FromQImage(img), 32, 32), false).convertToFormat(QImage::Format_ARGB32);
}

// The flame field and cursor bands of the fiery cursor, as the board draws them.
QImage FieryCursor(QImage square) {
    std::array<std::array<int, 58>, 28> fire{};
    Rng rng(0xF1A3E);
    for (int step = 0; step < 40; ++step) {
        for (int c = 0; c < 58; ++c)
            fire[27][c] = rng.Below(320);
        for (int r = 26; r >= 0; --r)
            for (int c = 1; c <= 56; ++c) {
                int v = fire[r][c] + fire[r + 1][c - 1] + fire[r + 1][c] + fire[r + 1][c + 1];
                if (v > 40)
                    v -= 40;
                fire[r][c] = v / 4;
            }
    }
    auto entry = [&](int n) { return std::min(255, fire[n / 58][n % 58]); };
    auto palette = [](int i) {
        int g = i / 2 + (i > 90 ? (i - 90) / 3 : 0);
        return std::array<int, 3>{static_cast<int>(std::lround(0.8 * i)),
                                  static_cast<int>(std::lround(0.76 * g)),
                                  static_cast<int>(std::lround(0.72 * (i / 3)))};
    };
    square = square.convertToFormat(QImage::Format_RGB32);
    auto add = [&](int r, int x, int v) {
        auto p = palette(v);
        QRgb px = square.pixel(x, r);
        int ch[3] = {qRed(px), qGreen(px), qBlue(px)};
        for (int k = 0; k < 3; ++k)
            ch[k] = std::min(255, ch[k] + std::max(0, p[k] - v / 4));
        square.setPixel(x, r, qRgb(ch[0], ch[1], ch[2]));
    };
    const int c = kCell, s = kCell, len = s - 3;
    for (int r = 2; r <= 26; ++r)
        for (int x = 2; x <= s - 2; ++x)
            add(r, x, entry(58 * (26 - r) + (x - 2)));
    for (int r = c - 26; r <= c - 2; ++r)
        for (int x = 2; x <= s - 2; ++x)
            add(r, x, entry(1450 - 58 * (c - 2 - r) - (x - 2)));
    for (int x = 2; x <= 26; ++x)
        for (int i = 0; i < len; ++i)
            add(c - 2 - i, x, entry(1450 - 58 * (x - 2) - i));
    for (int j = 0; j <= 24; ++j)
        for (int i = 0; i < len; ++i)
            add(c - 2 - i, s - 2 - j, entry(1450 - 58 * j - i));
    QPainter p(&square);
    p.setPen(QPen(kFrame1, 2));
    p.drawRect(QRectF(1.5, 1.5, c - 3, c - 3));
    return square;
}

QImage ClassicCursor(QImage square) {
    square = square.convertToFormat(QImage::Format_RGB32);
    QPainter p(&square);
    p.setPen(QPen(kFrame1, 2));
    p.drawRect(QRectF(1.5, 1.5, kCell - 3, kCell - 3));
    p.setPen(QPen(kFrame2, 2));
    p.drawRect(QRectF(4.5, 4.5, kCell - 9, kCell - 9));
    return square;
}

// The top-left corner of a board in the given border: the frame round the first square.
QImage BorderCorner(const QImage& lineh, const QImage& linev, const QImage& figs) {
    QImage corner(64, 64, QImage::Format_RGB32);
    QPainter p(&corner);
    p.drawImage(QPoint(20, 20), Cell(figs, 4, 0));
    p.drawImage(QPoint(0, 0), lineh.copy(0, 0, 64, 20));
    p.drawImage(QPoint(0, 20), linev.copy(0, 0, 20, 44));
    p.end();
    return corner;
}

}  // namespace

std::vector<NamedImage> SkinIcons(const std::string& dataDir) {
    auto load = [&](const char* name) {
        return QImage(QString::fromStdString(dataDir + "/" + name));
    };
    QImage figs = load("Figs1.jpg"), help = load("Help1.jpg");
    QImage lineh1 = load("Lineh1.jpg"), linev1 = load("Linev1.jpg");
    QImage lineh2 = load("Lineh2.jpg"), linev2 = load("Linev2.jpg");
    for (const QImage* img : {&figs, &help, &lineh1, &linev1, &lineh2, &linev2})
        if (img->isNull())
            return {};

    QImage pair(2 * kCell, 2 * kCell, QImage::Format_RGB32);
    {
        QPainter p(&pair);
        p.drawImage(QPoint(0, 0), Cell(figs, 6, 14));
        p.drawImage(QPoint(kCell, 0), Cell(figs, 5, 0));
        p.drawImage(QPoint(0, kCell), Cell(figs, 5, 0));
        p.drawImage(QPoint(kCell, kCell), Cell(figs, 4, 14));
    }
    QImage empty = Cell(figs, 4, 0);
    return {
        {"figs_amber", Shrink(pair)},
        {"cursor_classic", Shrink(ClassicCursor(empty))},
        {"cursor_fiery", Shrink(FieryCursor(empty))},
        {"help_velmora", Shrink(help.copy(20 * kCell, 0, kCell, kCell))},
        {"border_velmora", Shrink(BorderCorner(lineh1, linev1, figs))},
        {"border_dark", Shrink(BorderCorner(lineh2, linev2, figs))},
    };
}

}  // namespace velmora::assets
