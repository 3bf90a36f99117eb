#include "app/statistics_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/dialog_placement.h"
#include "app/level_names.h"
#include "game/prompter.h"

namespace velmora {

namespace {

constexpr const char* kClearLevelQuestion = "Удалить статистику по данному уровню?";
constexpr const char* kClearAllQuestion = "Удалить статистику по всем уровням?";

constexpr const char* kCounterNames[4] = {"Партий", "Побед", "Поражений", "Ничьих"};
constexpr int kTotalsTab = 0;
constexpr int kLevelTab = 1;

template <typename Widget>
Widget* NewControl(QWidget* parent, const QString& name) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    return widget;
}

// A name on the left, its value on the right, one row per counter.
void AddCounterRows(QGridLayout* grid, QLabel* const* labels, QLabel* const* values, int count,
                    int firstRow) {
    for (int i = 0; i < count; ++i) {
        grid->addWidget(labels[i], firstRow + i, 0);
        values[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        values[i]->setMinimumWidth(values[i]->fontMetrics().horizontalAdvance("0000000"));
        grid->addWidget(values[i], firstRow + i, 1);
    }
}

QString Number(std::uint64_t value) {
    return QString::number(value);
}

}  // namespace

TStatisticsForm::TStatisticsForm(StatisticsTable& table, const Settings& settings,
                                 Prompter& prompter, QWidget* parent)
    : QDialog(parent), table_(table), settings_(settings), prompter_(prompter) {
    setObjectName(QStringLiteral("StatisticsForm"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    showGroup_ = NewControl<QGroupBox>(this, QStringLiteral("ShowGroup"));
    algorithmGroup_ = NewControl<QGroupBox>(showGroup_, QStringLiteral("AlgorithmGroup"));
    normalRadio_ = NewControl<QRadioButton>(algorithmGroup_, QStringLiteral("NormalRadio"));
    advancedRadio_ = NewControl<QRadioButton>(algorithmGroup_, QStringLiteral("AdvancedRadio"));
    sizeGroup_ = NewControl<QGroupBox>(showGroup_, QStringLiteral("SizeGroup"));
    size8Radio_ = NewControl<QRadioButton>(sizeGroup_, QStringLiteral("Size8Radio"));
    size10Radio_ = NewControl<QRadioButton>(sizeGroup_, QStringLiteral("Size10Radio"));
    auto* algorithm = new QVBoxLayout(algorithmGroup_);
    algorithm->addWidget(normalRadio_);
    algorithm->addWidget(advancedRadio_);
    auto* size = new QVBoxLayout(sizeGroup_);
    size->addWidget(size8Radio_);
    size->addWidget(size10Radio_);
    for (QRadioButton* radio : {normalRadio_, advancedRadio_, size8Radio_, size10Radio_}) {
        radio->setCursor(Qt::PointingHandCursor);
        connect(radio, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked) {
                Refresh();
            }
        });
    }

    pages_ = NewControl<QTabWidget>(showGroup_, QStringLiteral("PageControl"));
    pages_->addTab(BuildTotalsTab(), QString());
    pages_->addTab(BuildLevelTab(), QString());

    auto* radios = new QHBoxLayout;
    radios->addWidget(algorithmGroup_, 1);
    radios->addWidget(sizeGroup_, 1);
    auto* show = new QVBoxLayout(showGroup_);
    show->addLayout(radios);
    show->addWidget(pages_);

    ok_ = NewControl<QPushButton>(this, QStringLiteral("OKBtn"));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(showGroup_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ok_->installEventFilter(this);
    levelList_->installEventFilter(this);
    connect(levelList_, &QComboBox::currentIndexChanged, this, [this] { ShowLevel(); });
    connect(clearLevel_, &QPushButton::clicked, this, &TStatisticsForm::ClearLevelClick);
    connect(clearAll_, &QPushButton::clicked, this, &TStatisticsForm::ClearAllClick);

    ShowSequence();
    pages_->setCurrentIndex(kLevelTab);
}

QWidget* TStatisticsForm::BuildTotalsTab() {
    auto* page = new QWidget;
    for (int i = 0; i < 5; ++i) {
        totalLabels_[i] = new QLabel(page);
        totalValues_[i] = NewControl<QLabel>(page, QStringLiteral("TotalValue%1").arg(i));
    }
    clearAll_ = NewControl<QPushButton>(page, QStringLiteral("ClearAllBtn"));
    auto* grid = new QGridLayout(page);
    AddCounterRows(grid, totalLabels_, totalValues_, 4, 0);
    // The level's name is wider than a number and reads better next to its label.
    grid->addWidget(totalLabels_[4], 4, 0);
    grid->addWidget(totalValues_[4], 4, 1, Qt::AlignRight | Qt::AlignVCenter);
    grid->setRowStretch(5, 1);
    grid->addWidget(clearAll_, 6, 0, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(0, 1);
    return page;
}

QWidget* TStatisticsForm::BuildLevelTab() {
    auto* page = new QWidget;
    chooseLabel_ = new QLabel(page);
    levelList_ = NewControl<QComboBox>(page, QStringLiteral("LevelList"));
    for (int i = 0; i < 4; ++i) {
        levelLabels_[i] = new QLabel(page);
        levelValues_[i] = NewControl<QLabel>(page, QStringLiteral("LevelValue%1").arg(i));
    }
    clearLevel_ = NewControl<QPushButton>(page, QStringLiteral("ClearLevelBtn"));
    auto* grid = new QGridLayout(page);
    grid->addWidget(chooseLabel_, 0, 0, 1, 2);
    grid->addWidget(levelList_, 1, 0, 1, 2);
    grid->setRowMinimumHeight(2, 4);
    AddCounterRows(grid, levelLabels_, levelValues_, 4, 3);
    grid->setRowStretch(7, 1);
    grid->addWidget(clearLevel_, 8, 0, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(0, 1);
    return page;
}

void TStatisticsForm::ShowSequence() {
    // 1. Texts and the level list.
    setWindowTitle(QStringLiteral("Статистика"));
    ok_->setText(QStringLiteral("Ок"));
    showGroup_->setTitle(QStringLiteral("Показать статистику"));
    algorithmGroup_->setTitle(QStringLiteral("Алгоритм"));
    sizeGroup_->setTitle(QStringLiteral("Размер поля"));
    pages_->setTabText(kTotalsTab, QStringLiteral("Общая"));
    pages_->setTabText(kLevelTab, QStringLiteral("Уровня"));
    for (int i = 0; i < 4; ++i) {
        totalLabels_[i]->setText(QString::fromUtf8(kCounterNames[i]));
        levelLabels_[i]->setText(QString::fromUtf8(kCounterNames[i]));
    }
    totalLabels_[4]->setText(QStringLiteral("Ваш уровень"));
    chooseLabel_->setText(QStringLiteral("Выберите уровень"));
    clearAll_->setText(QStringLiteral("Очистить все уровни"));
    clearLevel_->setText(QStringLiteral("Очистить уровень"));
    {
        const QSignalBlocker blocker(levelList_);
        levelList_->clear();
        for (const char* name : kLevelNames) {
            levelList_->addItem(QString::fromUtf8(name));
        }
    }
    normalRadio_->setText(QString::fromUtf8(kAlgorithmNames[0]));
    advancedRadio_->setText(QString::fromUtf8(kAlgorithmNames[1]));
    size8Radio_->setText(QStringLiteral("8x8"));
    size10Radio_->setText(QStringLiteral("10x10"));

    // 2. The block and level of the current settings.
    {
        const QSignalBlocker blockers[] = {
            QSignalBlocker(normalRadio_), QSignalBlocker(advancedRadio_),
            QSignalBlocker(size8Radio_), QSignalBlocker(size10Radio_), QSignalBlocker(levelList_)};
        (settings_.advancedEngine ? advancedRadio_ : normalRadio_)->setChecked(true);
        (settings_.boardSize == 10 ? size10Radio_ : size8Radio_)->setChecked(true);
        levelList_->setCurrentIndex(settings_.LevelIndex());
    }

    // 3.
    Refresh();
}

int TStatisticsForm::SelectedBlock() const {
    return StatisticsTable::BlockIndex(size10Radio_->isChecked() ? 10 : 8,
                                       advancedRadio_->isChecked());
}

int TStatisticsForm::SelectedLevel() const {
    return levelList_->currentIndex();
}

void TStatisticsForm::Refresh() {
    const int block = SelectedBlock();
    const LevelCounters totals = table_.Totals(block);
    totalValues_[0]->setText(Number(totals.games));
    totalValues_[1]->setText(Number(totals.wins));
    totalValues_[2]->setText(Number(totals.losses));
    totalValues_[3]->setText(Number(totals.draws));
    totalValues_[4]->setText(QString::fromUtf8(kLevelNames[table_.YourLevel(block)]));
    totalGames_ = totals.games;
    clearAll_->setEnabled(totals.games > 0);
    ShowLevel();
}

void TStatisticsForm::ShowLevel() {
    const int level = SelectedLevel();
    if (level < 0 || level >= StatisticsTable::kLevels) {
        return;
    }
    const LevelCounters counters = table_.Level(SelectedBlock(), level);
    levelValues_[0]->setText(Number(counters.games));
    levelValues_[1]->setText(Number(counters.wins));
    levelValues_[2]->setText(Number(counters.losses));
    levelValues_[3]->setText(Number(counters.draws));
    clearLevel_->setEnabled(counters.games > 0);
}

void TStatisticsForm::ClearLevelClick() {
    const int block = SelectedBlock();
    const int level = SelectedLevel();
    if (level < 0 || table_.Level(block, level).games == 0 ||
        !prompter_.AskYesNo(kClearLevelQuestion)) {
        return;
    }
    table_.ClearLevel(block, level);
    ShowSequence();
}

void TStatisticsForm::ClearAllClick() {
    if (totalGames_ == 0 || !prompter_.AskYesNo(kClearAllQuestion)) {
        return;
    }
    table_.ClearBlock(SelectedBlock());
    ShowSequence();
}

bool TStatisticsForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TStatisticsForm::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TStatisticsForm::ShowStatistics(StatisticsTable& table, const Settings& settings,
                                     Prompter& prompter, QWidget* mainWindow) {
    TStatisticsForm form(table, settings, prompter, mainWindow);
    CentreOn(&form, mainWindow);
    form.exec();
}

}  // namespace velmora
