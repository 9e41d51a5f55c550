// Upper and lower case of the letters Vietnamese text is written with, without a locale.
#pragma once

namespace lurcore::core {

// ASCII, Latin-1 and the Latin extensions that hold every Vietnamese letter (ă đ ĩ ũ ơ ư and the
// letters with tones); any other character comes back as it is.
char16_t upperCase(char16_t c);
char16_t lowerCase(char16_t c);

} // namespace lurcore::core
