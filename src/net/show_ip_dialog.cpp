#include "net/show_ip_dialog.h"

#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>

namespace velmora {

TShowIPDlg::TShowIPDlg(const QStringList& addresses, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Присвоенные IP адрес(а) ..."));
    setFixedSize(300, 136);

    auto* bevel = new QFrame(this);
    bevel->setGeometry(9, 8, 281, 81);
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    memo_ = new QPlainTextEdit(this);
    memo_->setGeometry(17, 16, 265, 65);
    memo_->setReadOnly(true);
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    memo_->setFont(font);
    memo_->setPlainText(addresses.join(QLatin1Char('\n')));

    auto* copy = new QPushButton(QStringLiteral("Скопировать и закрыть"), this);
    copy->setGeometry(16, 101, 161, 25);
    copy->setDefault(true);
    connect(copy, &QPushButton::clicked, this, &TShowIPDlg::CopyAndClose);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setGeometry(192, 101, 89, 25);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TShowIPDlg::Text() const {
    return memo_->toPlainText();
}

void TShowIPDlg::CopyAndClose() {
    memo_->selectAll();
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(memo_->toPlainText());
    }
    accept();
}

}  // namespace velmora
