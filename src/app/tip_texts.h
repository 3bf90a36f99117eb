#pragma once

namespace velmora {

// The tips of the day, shown in turn.
inline constexpr int kTipCount = 5;
inline constexpr const char* kTipTexts[kTipCount] = {
    "Если Вы пока не знаете что такое Реверси (Отелло) или не знаете как начать игру, то просто "
    "закройте данной окно и нажмите <F1>. Вам будет предложено ознакомиться с небольшой "
    "справкой...",
    "Просто представьте! Вы можете играть с компьютером, Вашим другом за одним компьютером, или "
    "Вы можете вызвать вашего оппонента из любой точки Земли используя возможность игры по "
    "сети...",
    "Данная реализация игры Реверси дает Вам возможность насладиться превосходной графикой! "
    "Зайдите в меню Оформление и выберите Ваш стиль...",
    "Вы можете сохранять и загружать локальные игры. Анализировать партии и играть лучше и "
    "лучше!",
    "Вы можете ознакомиться со статистикой по всем локальным играм. Для этого войдите в меню "
    "Информация и выберите пункт Статистика..."};

// The tip shown after `index`. The stored index is not limited: a negative one counts as 0,
// and anything from the last tip on (the first run's 1000 among them) starts again at tip 0.
constexpr int NextTipIndex(int index) {
    if (index < 0) {
        index = 0;
    }
    return index >= kTipCount - 1 ? 0 : index + 1;
}

}  // namespace velmora
