// The command lines that the Windows program-start test (under wine) hands to a real start
// and what a stand-in engine must receive, and the starts that must fail, which the POSIX
// test makes too (the program being what the line holds before " -"). Plain C++.
//
// "@" stands for the test's folder, whose own name holds a blank, so that every engine path
// has one; the first file is the engine, the others fail if they are ever run. Both path
// styles are used: on Windows "@" is spelt with backslashes and the rest of a path with
// slashes.
#pragma once

namespace brx::start_cases {

struct Case {
    const char *name;
    const char16_t *files;     // under "@", '|' between; the first is the engine
    const char16_t *line;      // the whole command line
    const char16_t *arguments; // what the engine receives after its own name, '|' between
    bool from_engine_folder;   // started with the engine's folder current, as ZDoomGL is
};

// clang-format off
inline constexpr Case cases[] = {
    {"shell characters reach the engine as text", u"zdoom.exe",
     u"@/zdoom.exe -file a;touch pwned && touch pwned <x * $(touch pwned)\t-extratic `touch pwned` 2&$HOME ~ 'q' 3>pwned",
     u"-file|a;touch|pwned|&&|touch|pwned|<x|*|$(touch|pwned)|-extratic|`touch|pwned`|2&$HOME|~|'q'|3>pwned", false},
    // The program is the shortest run of pieces that names one, though a longer one does too.
    {"the shortest program; paths with blanks joined, a missing one not",
     u"zdoom.exe|zdoom.exe x.exe|doom 2/DOOM2.WAD|a b.wad|Wads/café.wad|x  y.deh",
     u"@/zdoom.exe x.exe -iwad @/doom 2/DOOM2.WAD -file  @/a b.wad @/Wads/café.wad no such.wad -deh @/x  y.deh",
     u"x.exe|-iwad|@/doom 2/DOOM2.WAD|-file|@/a b.wad|@/Wads/café.wad|no|such.wad|-deh|@/x  y.deh", false},
    // Only a file is joined, and only from a first piece that names none; quotes stop a join.
    {"ZDoomGL in a folder with blanks, paths from its folder", u"zdoomgl.exe|doom 2/DOOM2.WAD|w|w x|d/a|d x|e f/a|e f g",
     u"@/zdoomgl.exe -iwad doom 2/DOOM2.WAD -file w x d x d e f g d \"x\"",
     u"-iwad|doom 2/DOOM2.WAD|-file|w|x|d x|d|e f g|d|x", true},
    {"backslash and quote runs", u"zdoom.exe", uR"(@/zdoom.exe C:\W\a.wad x\ "y\\" z\"q r\\\"s "t""u" c"d e"f "" "g  )",
     uR"(C:\W\a.wad|x\|y\|z"q|r\"s|t"u|cd ef||g  )", false},
    {"a quoted program", u"zdoom.exe", uR"("@/zdoom.exe" -iwad "a b")", u"-iwad|a b", false},
    {"backslashes only", u"zdoom.exe|doom 2\\DOOM2.WAD", uR"(@\zdoom.exe -iwad @\doom 2\DOOM2.WAD)",
     uR"(-iwad|@\doom 2\DOOM2.WAD)", false},
    {"a bare name, found in the current folder", u"zdoom.exe", u"zdoom -iwad a b", u"-iwad|a|b", true},
    {"a program name without .exe", u"zdoom.exe|doom 2/DOOM2.WAD", u"@/zdoom -iwad @/doom 2/DOOM2.WAD",
     u"-iwad|@/doom 2/DOOM2.WAD", false},
};

// Lines whose start fails, "@" a folder with the files "plain.txt", "run.bat" and "text.exe",
// none of them a program (on POSIX, only "text.exe" may be executed): no program is found
// (error 53), or the one found cannot be run (another error, and no shell runs it).
struct Failure {
    const char *name;
    const char16_t *line;
    bool not_found;
};

inline constexpr Failure failures[] = {
    {"missing file", u"@/zdoom.exe -iwad x", true},
    {"empty engine path", u" -iwad  -width  -height  +snd_samplerate ", true},
    {"a folder", u"@ -iwad x", true},
    {"not a program by its name or mode", u"@/plain.txt -iwad x", true},
    {"a batch file, which cmd.exe would read", u"@/run.bat -iwad x & ran", true},
    {"not a program", u"@/text.exe -iwad x", false},
};
// clang-format on

} // namespace brx::start_cases
