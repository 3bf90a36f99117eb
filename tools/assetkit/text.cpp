#include "assetkit/text.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace velmora::assets {

namespace {

const char* FileOf(FontFace face) {
    switch (face) {
        case FontFace::Sans:
            return "DejaVuSans.ttf";
        case FontFace::SansBold:
            return "DejaVuSans-Bold.ttf";
        case FontFace::SansCondensedBold:
            return "DejaVuSansCondensed-Bold.ttf";
        case FontFace::Serif:
            return "DejaVuSerif.ttf";
        case FontFace::SerifBold:
            return "DejaVuSerif-Bold.ttf";
        case FontFace::SerifItalic:
            return "DejaVuSerif-Italic.ttf";
        case FontFace::Mono:
            return "DejaVuSansMono-Bold.ttf";
    }
    return "DejaVuSans.ttf";
}

// Outlines are taken at this size and scaled, which keeps fractional sizes exact.
constexpr int kOutlineSize = 1024;

QFont DejaVu(FontFace face) {
    static std::map<FontFace, QFont> loaded;
    auto it = loaded.find(face);
    if (it != loaded.end())
        return it->second;
    QString path = QStringLiteral("/usr/share/fonts/truetype/dejavu/") + FileOf(face);
    int id = QFontDatabase::addApplicationFont(path);
    if (id < 0) {
        std::fprintf(stderr, "cannot load %s (install fonts-dejavu-core)\n", qPrintable(path));
        std::exit(1);
    }
    QString family = QFontDatabase::applicationFontFamilies(id).value(0);
    bool bold = face == FontFace::SansBold || face == FontFace::SansCondensedBold ||
                face == FontFace::SerifBold || face == FontFace::Mono;
    bool italic = face == FontFace::SerifItalic;
    bool condensed = face == FontFace::SansCondensedBold;
    QString style;
    for (const QString& s : QFontDatabase::styles(family)) {
        bool sBold = s.contains("Bold");
        bool sItalic = s.contains("Italic") || s.contains("Oblique");
        bool sOdd = s.contains("Light") || (s.contains("Condensed") != condensed);
        if (sBold == bold && sItalic == italic && !sOdd)
            style = s;
    }
    QFont f = QFontDatabase::font(family, style, 12);
    f.setPixelSize(kOutlineSize);
    f.setHintingPreference(QFont::PreferNoHinting);
    return loaded.emplace(face, f).first->second;
}

}  // namespace

QPainterPath TextPath(const QString& text, FontFace face, double pixelSize) {
    QPainterPath path;
    path.addText(0, 0, DejaVu(face), text);
    QTransform t;
    t.scale(pixelSize / kOutlineSize, pixelSize / kOutlineSize);
    return t.map(path);
}

Plane PathMask(const QPainterPath& path, int w, int h, int ss) {
    QImage img(w * ss, h * ss, QImage::Format_Grayscale8);
    img.fill(0);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(ss, ss);
        p.fillPath(path, Qt::white);
    }
    Plane big(w * ss, h * ss);
    for (int y = 0; y < h * ss; ++y) {
        const uchar* line = img.constScanLine(y);
        for (int x = 0; x < w * ss; ++x)
            big.At(x, y) = line[x] / 255.0;
    }
    return Downsample(big, ss);
}

QPainterPath CentredText(const QString& text, FontFace face, double pixelSize, double cx,
                         double cy) {
    QPainterPath path = TextPath(text, face, pixelSize);
    QRectF box = path.boundingRect();
    return path.translated(cx - box.center().x(), cy - box.center().y());
}

GuiSession::GuiSession(int& argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = new QGuiApplication(argc, argv);
}

GuiSession::~GuiSession() {
    delete static_cast<QGuiApplication*>(app_);
}

}  // namespace velmora::assets
