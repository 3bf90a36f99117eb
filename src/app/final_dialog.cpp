#include "app/final_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "game/game_texts.h"

namespace velmora {

TFinalDlg::TFinalDlg(QWidget* parent) : QDialog(parent), message_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Информация"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    message_->setAlignment(Qt::AlignCenter);
    QFont font = message_->font();
    font.setPointSizeF(font.pointSizeF() * 1.25);
    font.setBold(true);
    message_->setFont(font);
    message_->setMinimumWidth(280);

    auto* ok = new QPushButton(QStringLiteral("Ок"), this);
    ok->setDefault(true);
    ok->setMinimumWidth(90);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(16);
    layout->addWidget(message_);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFinalDlg::SetResult(int kind, int first, int second) {
    message_->setText(QString::fromStdString(FinalText(kind, first, second)));
}

QString TFinalDlg::Message() const {
    return message_->text();
}

}  // namespace velmora
