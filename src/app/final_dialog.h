#pragma once

#include <QDialog>

class QLabel;

namespace velmora {

// The game-over and pass message: one centred line and an "Ок" button.
class TFinalDlg : public QDialog {
    Q_OBJECT

  public:
    explicit TFinalDlg(QWidget* parent = nullptr);

    // kind: 0 White won, 1 Black won, 2 draw, 3 White passes, 4 Black passes; first and
    // second are the winner's and the loser's disc counts.
    void SetResult(int kind, int first, int second);
    QString Message() const;

  private:
    QLabel* message_;
};

}  // namespace velmora
