// The command lines that both program-start tests (POSIX, and Windows under wine) hand to a
// real start of a stand-in engine, and what the engine must receive. Plain C++, no Qt.
//
// "@" stands for the test's folder, whose own name holds a blank, so that every engine path
// has one; the first file is the engine, the others are made empty. Both path styles are
// used: on Windows "@" is spelt with backslashes and the rest of a path with slashes.
#pragma once

namespace brx::start_cases {

struct Case {
    const char *name;
    const char *files;       // under "@", '|' between; the first is the engine
    const char *line;        // the whole command line
    const char *arguments;   // what the engine receives after its own name, '|' between
    bool from_engine_folder; // started with the engine's folder current, as ZDoomGL is
    bool windows_only;
};

// clang-format off
inline constexpr Case cases[] = {
    {"shell characters reach the engine as text", "zdoom.exe",
     "@/zdoom.exe -iwad DOOM2.WAD -file a;touch pwned && touch pwned <x * -deh $(touch pwned)\t-extratic "
     "-join 1;touch pwned +set timelimit `touch pwned` +set fraglimit 30>pwned -host 2&$HOME ~ 'q'",
     "-iwad|DOOM2.WAD|-file|a;touch|pwned|&&|touch|pwned|<x|*|-deh|$(touch|pwned)|-extratic|-join|"
     "1;touch|pwned|+set|timelimit|`touch|pwned`|+set|fraglimit|30>pwned|-host|2&$HOME|~|'q'",
     false, false},
    {"paths with blanks are joined, a missing one is not",
     "zdoom.exe|doom 2/DOOM2.WAD|a b.wad|Wads/café.wad|x  y.deh",
     "@/zdoom.exe -iwad @/doom 2/DOOM2.WAD -file  @/a b.wad @/Wads/café.wad no such.wad -deh @/x  y.deh",
     "-iwad|@/doom 2/DOOM2.WAD|-file|@/a b.wad|@/Wads/café.wad|no|such.wad|-deh|@/x  y.deh",
     false, false},
    {"ZDoomGL in a folder with blanks, paths from its folder", "zdoomgl.exe|doom 2/DOOM2.WAD|a b.wad",
     "@/zdoomgl.exe -iwad doom 2/DOOM2.WAD -file  a b.wad -skill  4",
     "-iwad|doom 2/DOOM2.WAD|-file|a b.wad|-skill|4", true, false},
    {"backslash and quote runs", "zdoom.exe",
     R"(@/zdoom.exe C:\W\a.wad x\ "y\\" z\"q r\\\"s "t""u" c"d e"f "" "g  )",
     R"(C:\W\a.wad|x\|y\|z"q|r\"s|t"u|cd ef||g  )", false, false},
    {"a quoted program", "zdoom.exe", R"("@/zdoom.exe" -iwad "a b")", "-iwad|a b", false, false},
    {"backslashes only", "zdoom.exe|doom 2\\DOOM2.WAD",
     R"(@\zdoom.exe -iwad @\doom 2\DOOM2.WAD)", R"(-iwad|@\doom 2\DOOM2.WAD)", false, true},
    {"a bare name, found in the current folder", "zdoom.exe", "zdoom -iwad a b", "-iwad|a|b", true,
     true},
    {"a program name without .exe", "zdoom.exe|doom 2/DOOM2.WAD",
     "@/zdoom -iwad @/doom 2/DOOM2.WAD", "-iwad|@/doom 2/DOOM2.WAD", false, true},
};
// clang-format on

} // namespace brx::start_cases
