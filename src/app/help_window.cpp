#include "app/help_window.h"

#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

THelpWindow::THelpWindow(const QString& text, QWidget* parent)
    : QWidget(parent, Qt::Window), view_(new QPlainTextEdit(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Помощь"));
    view_->setReadOnly(true);
    // The help lines up its headings with spaces.
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view_->setPlainText(text);
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->addWidget(view_, 1);
    column->addLayout(buttons);
    const int width = view_->fontMetrics().horizontalAdvance(QLatin1Char('m')) * 84;
    resize(width, width * 3 / 4);
}

QString THelpWindow::Text() const {
    return view_->toPlainText();
}

THelpWindow* THelpWindow::ShowFile(const QString& path, QWidget* mainWindow) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return nullptr;
    }
    const QString text = QString::fromUtf8(file.readAll());
    THelpWindow* window =
        mainWindow->findChild<THelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (window == nullptr) {
        window = new THelpWindow(text, mainWindow);
        QRect area(QPoint(0, 0), window->size());
        area.moveCenter(mainWindow->geometry().center());
        window->move(area.topLeft());
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace velmora
