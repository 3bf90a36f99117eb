#include "app/day_tip_form.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/dialog_placement.h"
#include "app/settings_store.h"
#include "app/tip_texts.h"

namespace velmora {

namespace {

const QColor kPanelFill(85, 74, 67);
const QColor kPanelOutline(58, 25, 0);
const QColor kHeadingText(217, 204, 197);
const QColor kTipText(179, 157, 145);

// The dark panel behind the heading and the tip: a fill with a one-pixel outline.
class TipPanel : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.fillRect(rect(), kPanelFill);
        painter.setPen(kPanelOutline);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

}  // namespace

TDayTipForm::TDayTipForm(Settings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName(QStringLiteral("DayTipForm"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Совет дня"));

    auto* panel = new TipPanel(this);
    heading_ = new QLabel(QStringLiteral("Добро пожаловать в игру !"), panel);
    heading_->setObjectName(QStringLiteral("TipHeading"));
    QFont headingFont = heading_->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    heading_->setFont(headingFont);
    QPalette headingPalette = heading_->palette();
    headingPalette.setColor(QPalette::WindowText, kHeadingText);
    heading_->setPalette(headingPalette);

    tipBox_ = new QTextEdit(panel);
    tipBox_->setObjectName(QStringLiteral("TipBox"));
    tipBox_->setReadOnly(true);
    tipBox_->setFrameStyle(QFrame::NoFrame);
    tipBox_->setFocusPolicy(Qt::NoFocus);
    tipBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    tipBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette tipPalette = tipBox_->palette();
    tipPalette.setColor(QPalette::Base, kPanelFill);
    tipPalette.setColor(QPalette::Text, kTipText);
    tipBox_->setPalette(tipPalette);
    QFont tipFont = tipBox_->font();
    tipFont.setPointSizeF(tipFont.pointSizeF() * 1.1);
    tipBox_->setFont(tipFont);
    // Room for the longest tip without a scroll bar.
    tipBox_->setFixedSize(380, 118);

    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(14, 12, 14, 12);
    panelLayout->setSpacing(8);
    panelLayout->addWidget(heading_);
    panelLayout->addWidget(tipBox_);

    showTipsBox_ = new QCheckBox(QStringLiteral("Показывать советы при запуске"), this);
    showTipsBox_->setObjectName(QStringLiteral("ShowTipsBox"));
    showTipsBox_->setChecked(settings_.showTips);
    next_ = new QPushButton(QStringLiteral("Еще совет"), this);
    next_->setObjectName(QStringLiteral("NextTipBtn"));
    next_->setAutoDefault(false);
    close_ = new QPushButton(QStringLiteral("Закрыть"), this);
    close_->setObjectName(QStringLiteral("CloseBtn"));
    close_->setDefault(true);
    connect(next_, &QPushButton::clicked, this, &TDayTipForm::NextTip);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(showTipsBox_);
    buttons->addStretch();
    buttons->addWidget(next_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(panel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    tipIndex_ = settings_.currentTip < 0 ? 0 : settings_.currentTip;
    NextTip();
}

TDayTipForm::~TDayTipForm() {
    settings_.showTips = showTipsBox_->isChecked();
    settings_.currentTip = tipIndex_;
    SaveTipSettings(settings_);
}

void TDayTipForm::NextTip() {
    tipIndex_ = NextTipIndex(tipIndex_);
    tipBox_->setPlainText(QString::fromUtf8(kTipTexts[tipIndex_]));
}

QString TDayTipForm::TipText() const {
    return tipBox_->toPlainText();
}

void TDayTipForm::ShowDayTip(Settings& settings, QWidget* mainWindow) {
    TDayTipForm form(settings, mainWindow);
    CentreOn(&form, mainWindow);
    form.exec();
}

}  // namespace velmora
