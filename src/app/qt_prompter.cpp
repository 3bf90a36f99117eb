#include "app/qt_prompter.h"

#include <QMessageBox>
#include <QPushButton>

namespace velmora {

QString ToDisplayText(const std::string& text) {
    QString result = QString::fromStdString(text);
    result.replace('\r', '\n');
    return result;
}

namespace {

QString Title() {
    return QStringLiteral("Вельморные Реверси");
}

}  // namespace

bool QtPrompter::AskYesNo(const std::string& text) {
    QMessageBox box(QMessageBox::Question, Title(), ToDisplayText(text), QMessageBox::NoButton,
                    parent_);
    QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void QtPrompter::Inform(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, Title(), ToDisplayText(text), QMessageBox::NoButton,
                    parent_);
    box.addButton(QStringLiteral("Ок"), QMessageBox::AcceptRole);
    box.exec();
}

void QtPrompter::ReportError(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, Title(), ToDisplayText(text), QMessageBox::NoButton,
                    parent_);
    box.addButton(QStringLiteral("Ок"), QMessageBox::AcceptRole);
    box.exec();
}

}  // namespace velmora
