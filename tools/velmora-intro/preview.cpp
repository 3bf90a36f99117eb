#include "preview.h"

#include <QImage>
#include <QString>

#include "support/intro_renderer.h"
#include "support/intro_resources.h"
#include "support/intro_sizes.h"
#include "support/intro_state.h"

namespace velmora::assets {

bool WriteIntroPreviews(const std::vector<std::uint8_t>& mesh,
                        const std::vector<std::uint8_t>& font,
                        const std::vector<std::uint8_t>& front,
                        const std::vector<std::uint8_t>& texture, const std::string& dir) {
    IntroResources resources{mesh, font, front, texture};
    IntroRenderer renderer(resources);
    if (!renderer.HasObject())
        return false;
    struct Shot {
        const char* name;
        IntroFrameState state;
    };
    const Shot shots[] = {
        {"start", {0, 120, 1 << 24, 0, 0, 1536, 40, 0}},
        {"turned", {9000, 420, 20000000, 40 << 24, 7 << 24, 1536, 40, 300}},
        {"zoomed", {20000, 760, 9000000, 90 << 24, 200 << 24, 1536, 40, 700}},
        {"late", {28000, 1500, 30000000, 12 << 24, 99 << 24, 1536, 40, 1500}},
    };
    for (const Shot& shot : shots) {
        renderer.Render(shot.state);
        auto frame = renderer.Frame();
        QImage img(kIntroWidth, kIntroHeight, QImage::Format_RGB32);
        for (int y = 0; y < kIntroHeight; ++y)
            for (int x = 0; x < kIntroWidth; ++x)
                img.setPixel(
                    x, y,
                    0xFF000000u |
                        frame[static_cast<size_t>(kIntroHeight - 1 - y) * kIntroWidth + x]);
        if (!img.save(QString::fromStdString(dir + "/intro_" + shot.name + ".png")))
            return false;
    }
    return true;
}

}  // namespace velmora::assets
