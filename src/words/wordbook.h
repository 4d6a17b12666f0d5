#pragma once

#include "words/wordtable.h"

class QString;

// The words and their pictures, which the program keeps in words.rcc beside
// itself: read the first time the words are wanted, never at start. A
// program (or a test) that holds them already, compiled in under
// ":/words/", uses those. Rows left out are said once on stderr, for a
// developer.
WordTable loadWordTable(const QString &programFolder);
