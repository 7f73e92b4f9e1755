// Profile lookups with the answers the system's private-profile reader gives. The portable
// reader must give the same answers natively and under Wine, and GetPrivateProfileStringA
// gives them under Wine (tests/win32/common).
#pragma once

#include <cstddef>
#include <string>

namespace marvella::test {

// Sections with blanks in the brackets, repeated sections and keys, empty values, lines
// without "=", quotes, tabs and other blanks, "]" in a name, a lone CR ending a line, an
// empty section name, CP1252 bytes.
inline const char kProfileText[] =
    "K0=before\r\n"
    "[ Sp ]\r\nA=1\r\n"
    "[Dup]\r\nA=first\r\n[Dup]\r\nA=second\r\nB=onlysecond\r\n"
    "[Keys]\r\nA=1\r\nA=2\r\nEmpty=\r\nNoEq\r\n  Spaced Key  =  v  v  \r\n"
    "Q1=\"quoted\"\r\nQ2='q'\r\nQ3=\"\r\nQ4=\"abc'\r\nEq==x=y\r\n;C=comment\r\n"
    "Tab\t=\tt\t\r\nEnds=x\x1a\x0b\x0c\r\nInner=a \t b\r\n"
    "[Br]x]tail\r\nA=br\r\n"
    "[NoClose\r\nA=nc\r\n"
    "[Lf]\nA=lf\rB=cr\n"
    "[]\r\nA=emptysec\r\n"
    "  [Indented]  \r\nA=ind\r\n"
    "[Cp]\r\nClave=Señal ñ €\r\n"
    "[Long]\r\nV=0123456789abcdefghij\r\n";

struct ProfileLookup {
  const char* section;
  const char* key;
  const char* fallback;
  size_t capacity;
  const char* expected;  // the returned count is its length
};

inline const ProfileLookup kProfileLookups[] = {
    {"Sp", "A", "d", 64, "1"},
    {" Sp ", "A", "d", 64, "1"},
    {"Dup", "A", "d", 64, "first"},
    {"Dup", "B", "d", 64, "d"},  // only the first section of a name is searched
    {"keys", "a", "d", 64, "1"},
    {"KEYS", "EMPTY", "d", 64, ""},  // an empty value is a value
    {"Keys", "NoEq", "d", 64, "d"},
    {"Keys", "Spaced Key", "d", 64, "v  v"},
    {"Keys", " Spaced Key ", "d", 64, "v  v"},
    {"Keys", "Q1", "d", 64, "quoted"},
    {"Keys", "Q2", "d", 64, "q"},
    {"Keys", "Q3", "d", 64, "\""},
    {"Keys", "Q4", "d", 64, "\"abc'"},
    {"Keys", "Eq", "d", 64, "=x=y"},
    {"Keys", ";C", "d", 64, "comment"},
    {"Keys", "Tab", "d", 64, "t"},
    {"Keys", "Ends", "d", 64, "x"},
    {"Keys", "Inner", "d", 64, "a \t b"},
    {"Keys", "K0", "d", 64, "d"},
    {"Keys", "", "d", 64, "d"},
    {"Keys", "Missing", "  de f  ", 64, "  de f"},
    {"Keys", "Missing", "\"dq\"", 64, "dq"},
    {"Br]x", "A", "d", 64, "br"},
    {"Br", "A", "d", 64, "d"},
    {"NoClose", "A", "d", 64, "d"},
    {"Lf", "A", "d", 64, "lf"},
    {"Lf", "B", "d", 64, "cr"},
    {"", "A", "d", 64, "d"},
    {"Indented", "a", "d", 64, "ind"},
    {"Cp", "Clave", "d", 64, "Señal ñ €"},
    {"Nowhere", "A", "fallback", 64, "fallback"},
    {"Long", "V", "d", 21, "0123456789abcdefghij"},
    {"Long", "V", "d", 20, "0123456789abcdefghi"},
    {"Long", "V", "d", 2, "0"},
    {"Long", "V", "d", 1, ""},
    {"Long", "Missing", "fallback", 4, "fal"},
};

// Section names of kSectionText at several capacities: the bytes expected at the start of
// the buffer (list and final zeros) and the count returned.
inline const char kSectionText[] = "[ Sp ]\r\n[Dup]\r\n[Dup]\r\n[]\r\nA=1\r\n[Señal]\r\n";

struct SectionNamesCase {
  size_t capacity;
  std::string expected;
  size_t count;
};

inline const SectionNamesCase kSectionNameCases[] = {
    {1, std::string("\0", 1), 0},
    {2, std::string("\0\0", 2), 0},
    {3, std::string("S\0\0", 3), 1},
    {5, std::string("Sp\0\0\0", 5), 3},
    {8, std::string("Sp\0Dup\0\0", 8), 6},
    {12, std::string("Sp\0Dup\0Dup\0\0", 12), 10},
    {40, std::string("Sp\0Dup\0Dup\0Señal\0\0", 18), 17},
};

}  // namespace marvella::test
