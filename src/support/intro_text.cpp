#include "support/intro_text.h"

#include <string>

namespace velmora {

const std::u32string_view kIntroCharacterSet =
    U" .,:;!?\"%&*/<>$[]()-0123456789qwertyuiopasdfghjklzxcvbnmQWERTYUIOPASDFGHJKLZXCVBNM"
    U"йцукенгшщзхъфывапролджэячсмитьбюёЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮЁ";

std::u32string_view IntroScrollerText() {
    static const std::u32string text =
        std::u32string(
            U"Уважаемые пользователи! Я, автор этой программы, рад, что Вы решили сыграть "
            U"партию-другую в эту игру. Я надеюсь, что эта реализация игры \"Реверси\" Вам "
            U"действительно понравилась. Если это так, или не так - сообщите мне своё мнение. "
            U"Я буду рад получить от Вас отклик о данной игре.") +
        std::u32string(53, U' ');
    return text;
}

std::vector<std::uint8_t> IntroGlyphNumbers(std::u32string_view text) {
    std::vector<std::uint8_t> numbers;
    numbers.reserve(text.size());
    for (const char32_t c : text) {
        const std::size_t position = kIntroCharacterSet.find(c);
        numbers.push_back(
            position == std::u32string_view::npos ? 0 : static_cast<std::uint8_t>(position));
    }
    return numbers;
}

int IntroTextWidth(const std::vector<std::uint8_t>& glyphNumbers, const IntroGlyphTable& glyphs) {
    int width = 0;
    for (const std::uint8_t number : glyphNumbers) {
        width += glyphs[number].width;
    }
    return width;
}

}  // namespace velmora
