#pragma once

#include <QDialog>

namespace velmora {

// What to do about a board click while earlier moves are on screen. The result codes are
// those of ReviewChoice: 2 back to reviewing (also Escape), 4 continue from this position,
// 3 continue from the last position.
class TChoice : public QDialog {
    Q_OBJECT

  public:
    explicit TChoice(QWidget* parent = nullptr);

    // Shows it modally centred on mainWindow and answers the result code.
    int Ask(const QWidget* mainWindow);

  protected:
    void reject() override;
};

}  // namespace velmora
