#pragma once

#include <QPainterPath>
#include <QString>

#include "assetkit/raster.h"

namespace velmora::assets {

enum class FontFace { Sans, SansBold, SansCondensedBold, Serif, SerifBold, SerifItalic, Mono };

// The outline of `text` in a DejaVu face at a (fractional) pixel size, its baseline starting
// at (0, 0). The faces come from the system's font files (fonts-dejavu-core), so the
// pictures never depend on what fontconfig would choose. Needs a QGuiApplication.
QPainterPath TextPath(const QString& text, FontFace face, double pixelSize);

// Coverage of a filled path, rendered with `ss` x `ss` supersampling into a w x h plane.
Plane PathMask(const QPainterPath& path, int w, int h, int ss = 4);

// The outline of `text` moved so that the centre of its inked box lies at (cx, cy).
QPainterPath CentredText(const QString& text, FontFace face, double pixelSize, double cx,
                         double cy);

// Sets up the offscreen Qt platform and a QGuiApplication for a generator's main().
class GuiSession {
  public:
    GuiSession(int& argc, char** argv);
    ~GuiSession();

  private:
    void* app_;
};

}  // namespace velmora::assets
