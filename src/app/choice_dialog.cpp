#include "app/choice_dialog.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialog_placement.h"
#include "game/move_review.h"

namespace velmora {

TChoice::TChoice(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Ваш выбор"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* group = new QGroupBox(QStringLiteral("Действие"), this);
    auto* buttons = new QVBoxLayout(group);
    const struct {
        const char* text;
        int code;
    } choices[] = {{"Возврат к просмотру ходов...", kBackToReview},
                   {"Продолжить с данной позиции...", kContinueFromThis},
                   {"Продолжить с последней позиции...", kContinueFromLast}};
    for (const auto& choice : choices) {
        auto* button = new QPushButton(QString::fromUtf8(choice.text), group);
        button->setMinimumWidth(260);
        button->setAutoDefault(false);
        if (choice.code == kBackToReview) {
            button->setDefault(true);
        }
        const int code = choice.code;
        connect(button, &QPushButton::clicked, this, [this, code] { done(code); });
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int TChoice::Ask(const QWidget* mainWindow) {
    setResult(0);
    CentreOn(this, mainWindow);
    return exec();
}

void TChoice::reject() {
    done(kBackToReview);
}

}  // namespace velmora
