#include "app/about_box.h"

#include <QMouseEvent>
#include <QVBoxLayout>

#include "app/about_still.h"
#include "app/dialog_placement.h"
#include "view/intro_widget.h"

namespace velmora {

bool HasIntroResources(const IntroResources& resources) {
    return !resources.mesh.empty() && !resources.font.empty() && !resources.front.empty() &&
           !resources.texture.empty();
}

TAboutBox::TAboutBox(const IntroResources& resources, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("О программе..."));
    setCursor(Qt::PointingHandCursor);
    // The picture covers the whole client area.
    setAttribute(Qt::WA_OpaquePaintEvent);

    animated_ = HasIntroResources(resources);
    QWidget* picture =
        animated_ ? static_cast<QWidget*>(new IntroWidget(resources, this)) : new AboutStill(this);
    picture->setObjectName(QStringLiteral("AboutPicture"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture);
    setFixedSize(kAboutClientWidth, kAboutClientHeight);
}

void TAboutBox::mousePressEvent(QMouseEvent* event) {
    event->accept();
    accept();
}

void TAboutBox::ShowAbout(const IntroResources& resources, QWidget* mainWindow) {
    TAboutBox box(resources, mainWindow);
    CentreOn(&box, mainWindow);
    box.exec();
}

}  // namespace velmora
