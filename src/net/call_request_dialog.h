#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace velmora {

// "Вызов": who calls, with which side and board for us, and a 30-second countdown on the
// refuse button that refuses by itself when it runs out. One lives as long as the window.
class TCallReq : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kTicks = 300;
    static constexpr int kTickMs = 100;

    explicit TCallReq(QWidget* parent = nullptr);

    // The caller's name, our side's name and the board size, shown in double quotes.
    void SetRequest(const QString& callerName, const QString& colourText, const QString& sizeText);
    // The countdown's step; tests make it short.
    void SetTickInterval(int ms);
    // One step of the countdown, as the timer does it.
    void Tick();

    // Set while the dialog is shown.
    bool Showing() const { return showing_; }
    // The caller left: the dialog closes as refused.
    void CloseAsRefused();

    QString CallerText() const;
    QString ColourText() const;
    QString SizeText() const;
    QString RefuseButtonText() const;
    int CountdownPosition() const;

  protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

  private:
    QLabel* caller_ = nullptr;
    QLabel* colour_ = nullptr;
    QLabel* size_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* refuse_ = nullptr;
    QTimer* timer_ = nullptr;
    bool showing_ = false;
};

}  // namespace velmora
