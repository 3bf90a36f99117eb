#include "net/call_request_dialog.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace velmora {

namespace {

QLabel* AddLabel(QWidget* parent, int x, int y, const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QString Quoted(const QString& text) {
    return QStringLiteral("\"") + text + QStringLiteral("\"");
}

}  // namespace

TCallReq::TCallReq(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Вызов"));
    setFixedSize(313, 160);

    auto* bevel = new QFrame(this);
    bevel->setGeometry(8, 8, 297, 113);
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    AddLabel(this, 16, 16, QStringLiteral("Вызвал:"));
    caller_ = AddLabel(this, 154, 16);
    AddLabel(this, 16, 32, QStringLiteral("Ваши фигуры:"));
    colour_ = AddLabel(this, 154, 32);
    AddLabel(this, 16, 48, QStringLiteral("Размер поля:"));
    size_ = AddLabel(this, 154, 48);
    AddLabel(this, 16, 72, QStringLiteral("Вы принимаете этот вызов?"));

    bar_ = new QProgressBar(this);
    bar_->setGeometry(20, 99, 273, 13);
    bar_->setRange(0, kTicks);
    bar_->setTextVisible(false);

    auto* accept = new QPushButton(QStringLiteral("Да"), this);
    accept->setGeometry(59, 127, 90, 25);
    accept->setDefault(true);
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
    refuse_ = new QPushButton(this);
    refuse_->setGeometry(163, 127, 90, 25);
    connect(refuse_, &QPushButton::clicked, this, &QDialog::reject);

    timer_ = new QTimer(this);
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &TCallReq::Tick);
    SetRequest(QStringLiteral("NO_NAME"), QStringLiteral("???"), QStringLiteral("???"));
}

void TCallReq::SetRequest(const QString& callerName, const QString& colourText,
                          const QString& sizeText) {
    caller_->setText(Quoted(callerName));
    colour_->setText(Quoted(colourText));
    size_->setText(Quoted(sizeText));
    for (QLabel* label : {caller_, colour_, size_}) {
        label->adjustSize();
    }
}

void TCallReq::SetTickInterval(int ms) {
    timer_->setInterval(ms);
}

void TCallReq::showEvent(QShowEvent* event) {
    showing_ = true;
    bar_->setValue(0);
    refuse_->setText(QStringLiteral("Нет=30"));
    timer_->start();
    QDialog::showEvent(event);
}

void TCallReq::Tick() {
    bar_->setValue(bar_->value() + 1);
    const int seconds = bar_->value() / 10;
    refuse_->setText(QStringLiteral("Нет=%1").arg(30 - seconds));
    if (seconds > 29) {
        reject();
    }
}

void TCallReq::done(int result) {
    timer_->stop();
    showing_ = false;
    QDialog::done(result);
}

void TCallReq::CloseAsRefused() {
    if (isVisible()) {
        reject();
    }
}

QString TCallReq::CallerText() const {
    return caller_->text();
}

QString TCallReq::ColourText() const {
    return colour_->text();
}

QString TCallReq::SizeText() const {
    return size_->text();
}

QString TCallReq::RefuseButtonText() const {
    return refuse_->text();
}

int TCallReq::CountdownPosition() const {
    return bar_->value();
}

}  // namespace velmora
