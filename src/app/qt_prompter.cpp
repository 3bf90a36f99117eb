#include "app/qt_prompter.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/app_titles.h"

namespace velmora {

QString ToDisplayText(const std::string& text) {
    QString result = QString::fromStdString(text);
    result.replace('\r', '\n');
    return result;
}

namespace {

// Message boxes carry the application's title, as the desktop's own messages for it do.
QString Title() {
    return QString::fromUtf8(kProgramTitle);
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
