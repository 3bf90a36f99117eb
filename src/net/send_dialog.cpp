#include "net/send_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "net/protocol_message.h"

namespace velmora {

TSendDlg::TSendDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Отправить сообщение"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    setMinimumSize(240, 220);

    archiveGroup_ = new QGroupBox(QStringLiteral("Архив сообщений"), this);
    archive_ = new QPlainTextEdit(archiveGroup_);
    archive_->setReadOnly(true);
    archive_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    archive_->setMaximumBlockCount(kArchiveLines);

    sendGroup_ = new QGroupBox(QStringLiteral("Отправить"), this);
    sendGroup_->resize(sendGroup_->width(), 49);
    sendLine_ = new QComboBox(sendGroup_);
    sendLine_->setEditable(true);
    sendLine_->setInsertPolicy(QComboBox::NoInsert);
    sendLine_->lineEdit()->setMaxLength(static_cast<int>(kMaxTextBytes));
    sendLine_->setGeometry(10, 18, 200, 21);
    sendLine_->setEditText(QStringLiteral("Привет!"));

    ok_ = new QPushButton(QStringLiteral("Отправить"), this);
    ok_->resize(87, 25);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    cancel_ = new QPushButton(QStringLiteral("Отмена"), this);
    cancel_->resize(87, 25);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    resize(352, 314);
    Layout();
}

void TSendDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Layout();
}

void TSendDlg::Layout() {
    const int w = width();
    const int h = height();
    ok_->move((w - ok_->width() - cancel_->width() - 10) / 2, h - ok_->height() - 10);
    cancel_->move((w - cancel_->width() + ok_->width() + 10) / 2, h - cancel_->height() - 10);
    archiveGroup_->setGeometry(5, 5, w - 10, h - sendGroup_->height() - ok_->height() - 30);
    sendGroup_->setGeometry(5, archiveGroup_->height() + 10, w - 10, sendGroup_->height());
    sendLine_->setGeometry(sendGroup_->x() + 5, sendLine_->y(), sendGroup_->width() - 20,
                           sendLine_->height());
    archive_->setGeometry(archiveGroup_->x() + 5, archiveGroup_->y() + 15,
                          archiveGroup_->width() - 20, archiveGroup_->height() - 30);
}

void TSendDlg::AppendToArchive(const QString& line) {
    archive_->appendPlainText(line);
    ScrollArchiveToEnd();
}

void TSendDlg::ScrollArchiveToEnd() {
    QScrollBar* bar = archive_->verticalScrollBar();
    bar->setValue(bar->maximum());
}

QString TSendDlg::ArchiveText() const {
    return archive_->toPlainText();
}

int TSendDlg::ArchiveLineCount() const {
    return archive_->blockCount();
}

QString TSendDlg::Text() const {
    return sendLine_->currentText();
}

void TSendDlg::SetText(const QString& text) {
    sendLine_->setEditText(text);
}

void TSendDlg::RememberSent(const QString& text) {
    sendLine_->insertItem(0, text);
    sendLine_->setEditText(text);
}

QStringList TSendDlg::History() const {
    QStringList items;
    for (int i = 0; i < sendLine_->count(); ++i) {
        items << sendLine_->itemText(i);
    }
    return items;
}

}  // namespace velmora
