#include "app/main_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>

namespace velmora {

namespace {

QIcon MenuIcon(const char* name) {
    const QString path = QStringLiteral(":/menu/") + QLatin1String(name) + ".png";
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

QIcon SkinIcon(const char* name) {
    const QString path = QStringLiteral(":/skins/") + QLatin1String(name) + ".png";
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

QAction* AddItem(QMenu* menu, const char* caption, const char* hint,
                 const QKeySequence& shortcut = {}, const char* icon = nullptr) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setStatusTip(QString::fromUtf8(hint));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    if (icon != nullptr) {
        action->setIcon(MenuIcon(icon));
    }
    return action;
}

QAction* AddToggle(QMenu* menu, const char* caption, const char* hint,
                   const QKeySequence& shortcut) {
    QAction* action = AddItem(menu, caption, hint, shortcut);
    action->setCheckable(true);
    action->setChecked(true);
    return action;
}

QMenu* AddMenu(QMenuBar* bar, const char* caption, const char* hint) {
    QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
    menu->menuAction()->setStatusTip(QString::fromUtf8(hint));
    menu->setToolTipsVisible(false);
    return menu;
}

// A radio family of skin items (one checked), each with its 32 x 32 picture.
template <std::size_t N>
void AddSkinItems(QMenu* menu, QObject* owner, QAction* (&items)[N],
                  const char* const (&captions)[N], const char* const (&hints)[N],
                  const char* const (&pictures)[N]) {
    auto* group = new QActionGroup(owner);
    group->setExclusive(true);
    for (std::size_t i = 0; i < N; ++i) {
        items[i] = AddItem(menu, captions[i], hints[i]);
        items[i]->setCheckable(true);
        items[i]->setActionGroup(group);
        items[i]->setIcon(SkinIcon(pictures[i]));
    }
    items[0]->setChecked(true);
}

}  // namespace

MainMenu BuildMainMenu(QMenuBar* bar, QObject* owner) {
    MainMenu m;

    m.gameMenu = AddMenu(bar, "Игра", "Новая игра, подсказка, настройки, выход...");
    m.newGame = AddItem(m.gameMenu, "Новая игра", "Начать новую партию", Qt::Key_F2, "new_game");
    m.hint = AddItem(m.gameMenu, "Подсказка", "Показать хороший вариант хода", Qt::Key_F3, "hint");
    m.options = AddItem(m.gameMenu, "Настройки", "Настройки игры", Qt::Key_F4, "options");
    m.gameMenu->addSeparator();
    m.exit = AddItem(m.gameMenu, "Выход", "Выход из игры", Qt::ALT | Qt::Key_X, "exit");

    m.mediaMenu = AddMenu(bar, "Оформление", "Настройка оформления...");
    QMenu* figures = m.mediaMenu->addMenu(MenuIcon("figures"), QStringLiteral("Фигуры"));
    figures->menuAction()->setStatusTip(QStringLiteral("Выбрать тип фигур"));
    AddSkinItems(figures, owner, m.figures, {"Янтарные"}, {"Выбрать янтарные фигуры"},
                 {"figs_amber"});
    QMenu* cursors = m.mediaMenu->addMenu(MenuIcon("cursor"), QStringLiteral("Указатель"));
    cursors->menuAction()->setStatusTip(QStringLiteral("Выбрать тип указателя"));
    AddSkinItems(cursors, owner, m.cursors, {"Классический", "Огненный"},
                 {"Выбрать классический указатель", "Выбрать огненный указатель"},
                 {"cursor_classic", "cursor_fiery"});
    QMenu* helps = m.mediaMenu->addMenu(MenuIcon("marks"), QStringLiteral("Помощь"));
    helps->menuAction()->setStatusTip(QStringLiteral("Выбрать вид оформления помощи"));
    AddSkinItems(helps, owner, m.helps, {"Вельморная"}, {"Выбрать вельморное оформление помощи"},
                 {"help_velmora"});
    QMenu* borders = m.mediaMenu->addMenu(MenuIcon("border"), QStringLiteral("Обрамление"));
    borders->menuAction()->setStatusTip(QStringLiteral("Выбрать тип обрамления"));
    AddSkinItems(borders, owner, m.borders, {"Вельморное", "Тёмное"},
                 {"Выбрать вельморное обрамление", "Выбрать тёмное обрамление"},
                 {"border_velmora", "border_dark"});
    m.mediaMenu->addSeparator();
    m.animation =
        AddToggle(m.mediaMenu, "Анимация", "Включить или выключить анимацию", Qt::ALT | Qt::Key_A);
    m.sound = AddToggle(m.mediaMenu, "Звук", "Включить или выключить звуковые эффекты",
                        Qt::ALT | Qt::Key_S);
    m.music =
        AddToggle(m.mediaMenu, "Музыка", "Включить или выключить музыку", Qt::ALT | Qt::Key_M);
    m.mediaMenu->addSeparator();
    m.soundVolume =
        AddItem(m.mediaMenu, "Установка громкости", "Установка громкости звуков и музыки...",
                Qt::CTRL | Qt::Key_Q, "volume");
    m.musicSource = AddItem(m.mediaMenu, "Источник музыки",
                            "Укажите откуда брать музыку для воспроизведения...",
                            Qt::CTRL | Qt::Key_W, "music_source");

    m.netMenu = AddMenu(bar, "Сеть", "Сетевая игра...");
    m.netConnect = AddItem(m.netMenu, "Вызвать", "Вызвать оппонента", Qt::Key_F5, "call");
    m.netListen = AddToggle(m.netMenu, "Разрешить вызов",
                            "Разрешить оппоненту вызывать Вас на игру", Qt::ALT | Qt::Key_L);
    m.netDisconnect = AddItem(m.netMenu, "Отсоединение", "Отсоединение от оппонента",
                              Qt::CTRL | Qt::Key_F6, "disconnect");
    m.netDisconnect->setEnabled(false);
    m.netMenu->addSeparator();
    m.netSendMessage =
        AddItem(m.netMenu, "Сообщение", "Отправить сообщение оппоненту", Qt::Key_F7, "message");
    m.netSendMessage->setEnabled(false);
    m.netMenu->addSeparator();
    m.netShowIp = AddItem(m.netMenu, "Показать IP адрес", "Показать IP адрес данного компьютера",
                          Qt::CTRL | Qt::Key_F7, "show_ip");

    m.listMenu =
        AddMenu(bar, "Партия", "Отменить, вернуть ходы, отобразить или спрятать список ходов...");
    m.undoMove =
        AddItem(m.listMenu, "Отменить ход", "Отменить последний ход", Qt::CTRL | Qt::Key_Z, "undo");
    m.undoMove->setEnabled(false);
    m.redoMove = AddItem(m.listMenu, "Вернуть ход", "Перейти к следующему ходу",
                         Qt::CTRL | Qt::Key_X, "redo");
    m.redoMove->setEnabled(false);
    m.showMoves = AddToggle(m.listMenu, "Отобразить ходы", "Отобразить или спрятать список ходов",
                            Qt::Key_F8);
    m.listMenu->addSeparator();
    m.save = AddItem(m.listMenu, "Сохранить...", "Сохранить текущую партию", Qt::CTRL | Qt::Key_S,
                     "save");
    m.load = AddItem(m.listMenu, "Открыть...", "Открыть ранее сохранённую партию",
                     Qt::CTRL | Qt::Key_L, "open");
    m.copyMatch =
        AddItem(m.listMenu, "Копировать партию", "Копировать ходы партии в буфер обмена как текст",
                Qt::CTRL | Qt::Key_C, "copy_match");
    m.pasteMatch = AddItem(m.listMenu, "Вставить партию",
                           "Вставить партию, записанную текстом, из буфера обмена",
                           Qt::CTRL | Qt::Key_V, "paste_match");
    m.listMenu->addSeparator();
    m.analysis = AddItem(m.listMenu, "Анализ партии",
                         "Оценить каждый ход партии и показать неточности и ошибки",
                         Qt::CTRL | Qt::Key_A, "analysis");

    m.helpMenu = AddMenu(bar, "Информация", "Разнообразная информация...");
    m.help =
        AddItem(m.helpMenu, "Помощь", "Отобразить краткую информацию по игре", Qt::Key_F1, "help");
    m.dayTip =
        AddItem(m.helpMenu, "Совет дня", "Показать совет дня", Qt::CTRL | Qt::Key_F1, "day_tip");
    m.statistics = AddItem(m.helpMenu, "Статистика", "Отобразить статистику по сыгранным партиям",
                           Qt::Key_F9, "statistics");
    m.helpMenu->addSeparator();
    m.about = AddItem(m.helpMenu, "О программе", "Отобразить \"О программе...\"", {}, "about");
    return m;
}

}  // namespace velmora
