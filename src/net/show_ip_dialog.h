#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

namespace velmora {

// "Присвоенные IP адрес(а) ...": this machine's addresses, one per line, with a button that
// copies them to the clipboard and closes.
class TShowIPDlg : public QDialog {
    Q_OBJECT

  public:
    explicit TShowIPDlg(const QStringList& addresses, QWidget* parent = nullptr);

    QString Text() const;
    // Copy and close.
    void CopyAndClose();

  private:
    QPlainTextEdit* memo_ = nullptr;
};

}  // namespace velmora
