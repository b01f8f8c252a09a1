#include "ui/locale_setup.h"

#include "core/number_text.h"

#include <QLocale>

#include <clocale>

namespace torvel {

char DecimalSeparatorOf(const QLocale& locale) {
    return locale.decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

void UseSystemDecimalSeparator() {
    std::setlocale(LC_NUMERIC, "C");
    SetDecimalSeparator(DecimalSeparatorOf(QLocale::system()));
}

void UseClassicNumbers() {
    std::setlocale(LC_NUMERIC, "C");
    SetDecimalSeparator('.');
}

} // namespace torvel
