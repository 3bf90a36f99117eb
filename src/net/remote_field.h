#pragma once

#include <QDialog>
#include <string>

namespace velmora {

// "R_BRD": the peer's board as its field message told it, painted as a grid of black, white
// and grey squares of the local board size. A click closes it.
class TRemoteField : public QDialog {
    Q_OBJECT

  public:
    // fieldText is the whole message, its first byte the letter "D".
    TRemoteField(std::string fieldText, int boardSize, QWidget* parent = nullptr);

    const std::string& RemoteFieldText() const { return text_; }
    // A newer field from the peer, shown in place of the old one.
    void SetFieldText(std::string fieldText);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    std::string text_;
    int size_;
};

}  // namespace velmora
