#include "net/ip_conf_form.h"

#include <QLabel>

namespace velmora {

TIPConfForm::TIPConfForm(const QString& hostName, const QString& address, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Remote system"));
    setFixedSize(213, 48);
    name_ = new QLabel(this);
    name_->setTextFormat(Qt::PlainText);
    name_->move(8, 8);
    address_ = new QLabel(address, this);
    address_->setTextFormat(Qt::PlainText);
    address_->move(8, 24);
    address_->adjustSize();
    SetHostName(hostName);
}

QString TIPConfForm::HostNameText() const {
    return name_->text();
}

QString TIPConfForm::AddressText() const {
    return address_->text();
}

void TIPConfForm::SetHostName(const QString& hostName) {
    name_->setText(hostName);
    name_->adjustSize();
}

}  // namespace velmora
