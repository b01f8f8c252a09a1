// The fixed number form shows the decimal separator of the user's locale.
#pragma once

class QLocale;

namespace torvel {

// ',' for a locale whose decimal separator is a comma, else '.'.
char DecimalSeparatorOf(const QLocale& locale);
// Called once after the application object exists (Qt has then set the C
// library's locale from the environment): keeps the C library's number
// formatting in the classic form, so files and measured texts never depend
// on the locale, and sets the engine's separator from the system locale.
void UseSystemDecimalSeparator();
// The same for tools whose output scripts read: a point, whatever the locale.
void UseClassicNumbers();

} // namespace torvel
