#pragma once

#include <QString>

namespace lorva::test {

// A long page's text: the words of a packaged manual (bash's reference
// manual, from bash-doc), its markup taken out, repeated until it is at
// least `chars` characters long and cut at the end of the sentence or line
// there.
// Empty when the manual is not installed.
QString longText(qsizetype chars);

} // namespace lorva::test
