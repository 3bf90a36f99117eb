#include "net/call_dialog.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace velmora {

TCallDlg::TCallDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Вызвать оппонента"));
    setFixedSize(300, 232);

    auto* conditions = new QGroupBox(QStringLiteral("Условия"), this);
    conditions->setGeometry(7, 7, 286, 130);
    auto* pieces = new QGroupBox(QStringLiteral("Ваши фигуры"), conditions);
    pieces->setGeometry(8, 16, 270, 49);
    white_ = new QRadioButton(pieces);
    white_->setGeometry(16, 16, 115, 25);
    black_ = new QRadioButton(pieces);
    black_->setGeometry(137, 16, 124, 25);
    auto* size = new QGroupBox(QStringLiteral("Размер поля"), conditions);
    size->setGeometry(8, 72, 270, 49);
    size8_ = new QRadioButton(QStringLiteral("&8 x 8"), size);
    size8_->setGeometry(16, 16, 115, 25);
    size10_ = new QRadioButton(QStringLiteral("&10 x 10"), size);
    size10_->setGeometry(137, 16, 124, 25);

    auto* where = new QGroupBox(QStringLiteral("Имя компьютера или IP адрес"), this);
    where->setGeometry(7, 144, 286, 49);
    address_ = new QLineEdit(where);
    address_->setGeometry(13, 18, 261, 21);
    // Names and addresses are shown as they were typed, in capitals.
    connect(address_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = address_->cursorPosition();
            address_->setText(upper);
            address_->setCursorPosition(cursor);
        }
    });

    auto* ok = new QPushButton(QStringLiteral("Вызвать"), this);
    ok->setGeometry(54, 199, 87, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setGeometry(158, 199, 87, 25);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    SetSideNames(QStringLiteral("Белые"), QStringLiteral("Чёрные"));
    white_->setChecked(true);
    size10_->setChecked(true);
}

void TCallDlg::SetSideNames(const QString& white, const QString& black) {
    white_->setText(QStringLiteral("&") + white);
    black_->setText(QStringLiteral("&") + black);
}

void TCallDlg::SetChoices(bool white, bool size8) {
    (white ? white_ : black_)->setChecked(true);
    (size8 ? size8_ : size10_)->setChecked(true);
}

bool TCallDlg::WhiteChecked() const {
    return white_->isChecked();
}

bool TCallDlg::Size8Checked() const {
    return size8_->isChecked();
}

bool TCallDlg::Size10Checked() const {
    return size10_->isChecked();
}

QString TCallDlg::Address() const {
    return address_->text();
}

void TCallDlg::SetAddress(const QString& address) {
    address_->setText(address);
}

}  // namespace velmora
