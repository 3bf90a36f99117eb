#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace velmora {

// "Вызвать оппонента": the colour and board size the caller asks for and the address to call.
// One lives as long as the main window, so the address stays between calls.
class TCallDlg : public QDialog {
    Q_OBJECT

  public:
    explicit TCallDlg(QWidget* parent = nullptr);

    // Checks white or black and 8 x 8 or 10 x 10.
    void SetChoices(bool white, bool size8);
    bool WhiteChecked() const;
    bool Size8Checked() const;
    bool Size10Checked() const;
    QString Address() const;
    void SetAddress(const QString& address);
    // The side names come from the figure skin and may change between showings.
    void SetSideNames(const QString& white, const QString& black);

    QLineEdit* AddressEdit() const { return address_; }

  private:
    QRadioButton* white_ = nullptr;
    QRadioButton* black_ = nullptr;
    QRadioButton* size8_ = nullptr;
    QRadioButton* size10_ = nullptr;
    QLineEdit* address_ = nullptr;
};

}  // namespace velmora
