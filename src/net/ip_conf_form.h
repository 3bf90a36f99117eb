#pragma once

#include <QDialog>

class QLabel;

namespace velmora {

// "Remote system": the peer's host name and address.
class TIPConfForm : public QDialog {
    Q_OBJECT

  public:
    TIPConfForm(const QString& hostName, const QString& address, QWidget* parent = nullptr);

    QString HostNameText() const;
    QString AddressText() const;
    // The name found by a reverse lookup that ended after the form was made.
    void SetHostName(const QString& hostName);

  private:
    QLabel* name_ = nullptr;
    QLabel* address_ = nullptr;
};

}  // namespace velmora
