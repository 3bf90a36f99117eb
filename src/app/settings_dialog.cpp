#include "app/settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <initializer_list>

#include "app/dialog_placement.h"
#include "app/level_names.h"
#include "engine/side_names.h"

namespace velmora {

namespace {

// The smallest client area; Qt's layouts grow it when the fonts need more.
constexpr int kMinClientWidth = 357;
constexpr int kMinClientHeight = 202;

const std::initializer_list<const char*> kFigureSkins = {"Янтарные"};
const std::initializer_list<const char*> kHelpSkins = {"Вельморная"};
const std::initializer_list<const char*> kCursorSkins = {"Классический", "Огненный"};
const std::initializer_list<const char*> kBorderSkins = {"Вельморное", "Тёмное"};

QGroupBox* NewGroup(QWidget* parent, const char* name) {
    auto* group = new QGroupBox(parent);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

template <typename Widget>
Widget* NewControl(QWidget* parent, const char* name) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A group holding one drop-down list.
QComboBox* AddListTo(QGroupBox* group, const char* name) {
    auto* list = NewControl<QComboBox>(group, name);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(list);
    layout->addStretch();
    return list;
}

void FillList(QComboBox* list, std::initializer_list<const char*> entries, bool keep) {
    const int kept = list->currentIndex();
    list->clear();
    for (const char* entry : entries) {
        list->addItem(QString::fromUtf8(entry));
    }
    if (keep) {
        list->setCurrentIndex(kept);
    }
}

// An index the list does not hold selects its first entry.
void SelectIn(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : 0);
}

}  // namespace

TSideDlg::TSideDlg(const Settings& settings, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SideDlg"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    pages_ = NewControl<QTabWidget>(this, "PageControl");
    // All four tabs stay in sight: the dialog grows to their width instead of scrolling them.
    pages_->setUsesScrollButtons(false);
    pages_->setElideMode(Qt::ElideNone);
    pages_->addTab(BuildOpponentTab(), QString());
    pages_->addTab(BuildLevelTab(), QString());
    pages_->addTab(BuildLookTab(), QString());
    pages_->addTab(BuildExtrasTab(), QString());

    ok_ = NewControl<QPushButton>(this, "OKBtn");
    ok_->setDefault(true);
    cancel_ = NewControl<QPushButton>(this, "CancelBtn");
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    pages_->setMinimumSize(kMinClientWidth - 16, kMinClientHeight - 52);

    connect(computerRadio_, &QRadioButton::toggled, this, &TSideDlg::UpdateSideEnabled);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }

    SetTexts();
    FillLists(false);
    SyncFromSettings(settings);
    SetSideCaptions();
    pages_->setCurrentIndex(0);
}

QWidget* TSideDlg::BuildOpponentTab() {
    auto* page = new QWidget;
    opponentGroup_ = NewGroup(page, "OpponentGroup");
    computerRadio_ = NewControl<QRadioButton>(opponentGroup_, "ComputerRadio");
    humanRadio_ = NewControl<QRadioButton>(opponentGroup_, "HumanRadio");
    auto* opponent = new QVBoxLayout(opponentGroup_);
    opponent->addWidget(computerRadio_);
    opponent->addWidget(humanRadio_);
    opponent->addStretch();

    sideGroup_ = NewGroup(page, "SideGroup");
    whiteRadio_ = NewControl<QRadioButton>(sideGroup_, "WhiteRadio");
    blackRadio_ = NewControl<QRadioButton>(sideGroup_, "BlackRadio");
    auto* side = new QVBoxLayout(sideGroup_);
    side->addWidget(whiteRadio_);
    side->addWidget(blackRadio_);
    side->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(opponentGroup_, 1);
    layout->addWidget(sideGroup_, 1);
    return page;
}

QWidget* TSideDlg::BuildLevelTab() {
    auto* page = new QWidget;
    levelGroup_ = NewGroup(page, "LevelGroup");
    levelList_ = AddListTo(levelGroup_, "LevelList");
    algorithmGroup_ = NewGroup(page, "AlgorithmGroup");
    algorithmList_ = AddListTo(algorithmGroup_, "AlgorithmList");

    sizeGroup_ = NewGroup(page, "SizeGroup");
    size8Radio_ = NewControl<QRadioButton>(sizeGroup_, "Size8Radio");
    size10Radio_ = NewControl<QRadioButton>(sizeGroup_, "Size10Radio");
    auto* size = new QVBoxLayout(sizeGroup_);
    size->addWidget(size8Radio_);
    size->addWidget(size10Radio_);
    size->addStretch();

    auto* layout = new QGridLayout(page);
    layout->addWidget(levelGroup_, 0, 0);
    layout->addWidget(algorithmGroup_, 1, 0);
    layout->addWidget(sizeGroup_, 0, 1, 2, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    return page;
}

QWidget* TSideDlg::BuildLookTab() {
    auto* page = new QWidget;
    figureGroup_ = NewGroup(page, "FigureGroup");
    figureList_ = AddListTo(figureGroup_, "FigureList");
    helpGroup_ = NewGroup(page, "HelpGroup");
    helpList_ = AddListTo(helpGroup_, "HelpList");
    cursorGroup_ = NewGroup(page, "CursorGroup");
    cursorList_ = AddListTo(cursorGroup_, "CursorList");
    borderGroup_ = NewGroup(page, "BorderGroup");
    borderList_ = AddListTo(borderGroup_, "BorderList");

    auto* layout = new QGridLayout(page);
    layout->addWidget(figureGroup_, 0, 0);
    layout->addWidget(helpGroup_, 0, 1);
    layout->addWidget(cursorGroup_, 1, 0);
    layout->addWidget(borderGroup_, 1, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

QWidget* TSideDlg::BuildExtrasTab() {
    auto* page = new QWidget;
    extrasGroup_ = NewGroup(page, "ExtrasGroup");
    soundBox_ = NewControl<QCheckBox>(extrasGroup_, "SoundBox");
    musicBox_ = NewControl<QCheckBox>(extrasGroup_, "MusicBox");
    animationBox_ = NewControl<QCheckBox>(extrasGroup_, "AnimationBox");
    trayBox_ = NewControl<QCheckBox>(extrasGroup_, "TrayBox");
    auto* extras = new QVBoxLayout(extrasGroup_);
    for (QCheckBox* box : {soundBox_, musicBox_, animationBox_, trayBox_}) {
        extras->addWidget(box);
    }
    extras->addStretch();

    rightButtonGroup_ = NewGroup(page, "RightButtonGroup");
    previousMoveBox_ = NewControl<QCheckBox>(rightButtonGroup_, "PreviousMoveBox");
    possibleMovesBox_ = NewControl<QCheckBox>(rightButtonGroup_, "PossibleMovesBox");
    auto* rightButton = new QVBoxLayout(rightButtonGroup_);
    rightButton->addWidget(previousMoveBox_);
    rightButton->addWidget(possibleMovesBox_);
    rightButton->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(extrasGroup_, 1);
    layout->addWidget(rightButtonGroup_, 1);
    return page;
}

void TSideDlg::SetTexts() {
    setWindowTitle(QStringLiteral("Настройки"));
    ok_->setText(QStringLiteral("Ок"));
    cancel_->setText(QStringLiteral("Отмена"));
    pages_->setTabText(0, QStringLiteral("Оппонент"));
    pages_->setTabText(1, QStringLiteral("Уровень"));
    pages_->setTabText(2, QStringLiteral("Оформление"));
    pages_->setTabText(3, QStringLiteral("Дополнительно"));
    opponentGroup_->setTitle(QStringLiteral("Оппонент"));
    computerRadio_->setText(QStringLiteral("Компьютер"));
    humanRadio_->setText(QStringLiteral("Игрок"));
    sideGroup_->setTitle(QStringLiteral("Ваши фигуры"));
    levelGroup_->setTitle(QStringLiteral("Уровень компьютера"));
    sizeGroup_->setTitle(QStringLiteral("Размер поля"));
    size8Radio_->setText(QStringLiteral("&8 x 8"));
    size10Radio_->setText(QStringLiteral("&10 x 10"));
    algorithmGroup_->setTitle(QStringLiteral("Алгоритм"));
    figureGroup_->setTitle(QStringLiteral("Фигуры"));
    helpGroup_->setTitle(QStringLiteral("Помощь"));
    cursorGroup_->setTitle(QStringLiteral("Указатель"));
    borderGroup_->setTitle(QStringLiteral("Обрамление"));
    extrasGroup_->setTitle(QStringLiteral("Дополнительно"));
    soundBox_->setText(QStringLiteral("Звук"));
    musicBox_->setText(QStringLiteral("Музыка"));
    animationBox_->setText(QStringLiteral("Анимация"));
    trayBox_->setText(QStringLiteral("Использовать трэй"));
    rightButtonGroup_->setTitle(QStringLiteral("Правая кнопка мыши"));
    previousMoveBox_->setText(QStringLiteral("Предыдущий ход"));
    possibleMovesBox_->setText(QStringLiteral("Возможные ходы"));
}

void TSideDlg::SetSideCaptions() {
    whiteRadio_->setText(QStringLiteral("&") + QString::fromStdString(SideName(White)));
    blackRadio_->setText(QStringLiteral("&") + QString::fromStdString(SideName(Black)));
}

void TSideDlg::FillLists(bool keep) {
    FillList(figureList_, kFigureSkins, keep);
    FillList(algorithmList_, {kAlgorithmNames[0], kAlgorithmNames[1]}, keep);
    FillList(helpList_, kHelpSkins, keep);
    FillList(cursorList_, kCursorSkins, keep);
    const int keptLevel = levelList_->currentIndex();
    levelList_->clear();
    for (const char* name : kLevelNames) {
        levelList_->addItem(QString::fromUtf8(name));
    }
    if (keep) {
        levelList_->setCurrentIndex(keptLevel);
    }
    FillList(borderList_, kBorderSkins, keep);
}

void TSideDlg::SyncFromSettings(const Settings& settings) {
    SettingsDialogChoices choices = ChoicesFromSettings(settings);
    if (netLocked_) {
        const SettingsDialogChoices own = Choices();
        choices.versusComputer = own.versusComputer;
        choices.computerSide = own.computerSide;
    }
    SetChoices(choices);
}

SettingsDialogChoices TSideDlg::Choices() const {
    SettingsDialogChoices choices;
    choices.versusComputer = computerRadio_->isChecked();
    choices.computerSide = whiteRadio_->isChecked() ? Black : White;
    choices.levelIndex = levelList_->currentIndex();
    choices.boardSize = size8Radio_->isChecked() ? 8 : 10;
    choices.algorithmIndex = algorithmList_->currentIndex();
    choices.figureSkin = figureList_->currentIndex();
    choices.helpSkin = helpList_->currentIndex();
    choices.cursorSkin = cursorList_->currentIndex();
    choices.borderSkin = borderList_->currentIndex();
    choices.soundOn = soundBox_->isChecked();
    choices.musicOn = musicBox_->isChecked();
    choices.animationOn = animationBox_->isChecked();
    choices.useTray = trayBox_->isChecked();
    choices.showPreviousMove = previousMoveBox_->isChecked();
    choices.showPossibleMoves = possibleMovesBox_->isChecked();
    return choices;
}

void TSideDlg::SetChoices(const SettingsDialogChoices& choices) {
    (choices.versusComputer ? computerRadio_ : humanRadio_)->setChecked(true);
    SelectIn(levelList_, choices.levelIndex);
    (choices.computerSide == Black ? whiteRadio_ : blackRadio_)->setChecked(true);
    soundBox_->setChecked(choices.soundOn);
    musicBox_->setChecked(choices.musicOn);
    animationBox_->setChecked(choices.animationOn);
    trayBox_->setChecked(choices.useTray);
    SelectIn(figureList_, choices.figureSkin);
    (choices.boardSize == 8 ? size8Radio_ : size10Radio_)->setChecked(true);
    SelectIn(algorithmList_, choices.algorithmIndex);
    previousMoveBox_->setChecked(choices.showPreviousMove);
    possibleMovesBox_->setChecked(choices.showPossibleMoves);
    SelectIn(cursorList_, choices.cursorSkin);
    SelectIn(helpList_, choices.helpSkin);
    SelectIn(borderList_, choices.borderSkin);
    UpdateSideEnabled();
}

bool TSideDlg::Execute(const QWidget* mainWindow, const Settings& settings) {
    SetTexts();
    FillLists(true);
    SyncFromSettings(settings);
    SetSideCaptions();
    CentreOn(this, mainWindow);
    const bool accepted = exec() == QDialog::Accepted;
    if (!accepted) {
        FillLists(true);
        SyncFromSettings(settings);
    }
    return accepted;
}

void TSideDlg::LockForNetGame(bool locked) {
    netLocked_ = locked;
    for (QWidget* control : std::initializer_list<QWidget*>{
             opponentGroup_, sideGroup_, levelGroup_, size8Radio_, size10Radio_, algorithmGroup_}) {
        control->setEnabled(!locked);
    }
    UpdateSideEnabled();
}

Settings TSideDlg::SettingsToStore(const Settings& settings) const {
    return netLocked_ ? velmora::SettingsToStore(settings, Choices()) : settings;
}

void TSideDlg::UpdateSideEnabled() {
    const bool enabled = computerRadio_->isChecked();
    whiteRadio_->setEnabled(enabled);
    blackRadio_->setEnabled(enabled);
}

bool TSideDlg::HandleKey(int key) {
    switch (key) {
        case Qt::Key_Escape:
            reject();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            accept();
            return true;
        default:
            return false;
    }
}

bool TSideDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && HandleKey(static_cast<QKeyEvent*>(event)->key())) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TSideDlg::keyPressEvent(QKeyEvent* event) {
    if (!HandleKey(event->key())) {
        QDialog::keyPressEvent(event);
    }
}

}  // namespace velmora
