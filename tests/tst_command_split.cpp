#include "command_split.h"

#include <QTest>

using namespace brx;

namespace {

// Made-up files, of either path style: plain files, programs (executable files) and folders
// beyond those that hold them.
struct Files {
    QString separators;
    QStringList files;
    QStringList programs;
    QStringList folders;
    int *lookups = nullptr;
};

PathLookup lookup(const Files &fs) {
    PathLookup lookup;
    lookup.separators = fs.separators.toStdU16String();
    lookup.kind = [fs](const std::u16string &text) {
        const QString path = QString::fromStdU16String(text);
        if (fs.lookups)
            ++*fs.lookups;
        if (fs.files.contains(path) || fs.programs.contains(path))
            return PathKind::file;
        if (path.isEmpty())
            return PathKind::none;
        const QString folder = fs.separators.contains(path.back()) ? path : path + fs.separators[0];
        for (const QString &entry : fs.files + fs.programs + fs.folders) {
            if ((entry + fs.separators[0]).startsWith(folder))
                return PathKind::folder;
        }
        return PathKind::none;
    };
    lookup.program = [fs](const std::u16string &candidate) {
        return fs.programs.contains(QString::fromStdU16String(candidate)) ? candidate
                                                                          : std::u16string();
    };
    return lookup;
}

const QString windows = QStringLiteral("\\/");
const QString posix = QStringLiteral("/");

QStringList qt(const std::vector<std::u16string> &texts) {
    QStringList list;
    for (const std::u16string &text : texts)
        list << QString::fromStdU16String(text);
    return list;
}

SplitCommand split_command(const QString &line, const PathLookup &lookup) {
    return brx::split_command(line.toStdU16String(), lookup);
}

} // namespace

class tst_command_split : public QObject {
    Q_OBJECT
private slots:
    void split_data();
    void split();
    void quoted_line();
    void lookups_grow_linearly_data();
    void lookups_grow_linearly();
};

void tst_command_split::split_data() {
    QTest::addColumn<QString>("separators");
    QTest::addColumn<QString>(
        "files"); // '|' between; '*' before a program, a separator after a folder
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("arguments"); // '|' between; empty: no program found

    // clang-format off
    // Finding the program: the shortest run of leading pieces that names one.
    QTest::newRow("windows program with blanks") << windows << R"(*C:\My Games\Z Doom\zdoom.exe)"
        << R"(C:\My Games\Z Doom\zdoom.exe -iwad x)" << R"(C:\My Games\Z Doom\zdoom.exe|-iwad|x)";
    QTest::newRow("the shortest run") << windows << R"(*C:\My|*C:\My Games\zdoom.exe)"
        << R"(C:\My Games\zdoom.exe)" << R"(C:\My|Games\zdoom.exe)";
    QTest::newRow("posix program with blanks") << posix << "*/My Games/doom 2/zdoom"
        << "  /My Games/doom 2/zdoom -x" << "/My Games/doom 2/zdoom|-x";
    QTest::newRow("quoted program, backslash before the quote") << windows << R"(*C:\My Games\zdoom.exe)"
        << R"("C:\My Games\"zdoom.exe -a)" << R"(C:\My Games\zdoom.exe|-a)";
    QTest::newRow("not executable") << posix << "/g/zdoom" << "/g/zdoom -x" << "";
    QTest::newRow("a quoted piece ends the search") << windows << R"(*C:\My Games\zdoom.exe)"
        << R"(C:\My "Games"\zdoom.exe)" << "";
    QTest::newRow("empty engine path") << posix << "" << " -iwad  -width  -height  +snd_samplerate " << "";
    QTest::newRow("blanks only") << posix << "" << " \t " << "";

    // Unquoted paths with blanks become one argument again.
    QTest::newRow("windows paths") << windows << R"(C:\My Games\DOOM2.WAD|C:/My Games/a b.wad)"
        << R"(zdoom -iwad C:\My Games\DOOM2.WAD -file  C:/My Games/a b.wad C:\My Games\c)"
        << R"(zdoom|-iwad|C:\My Games\DOOM2.WAD|-file|C:/My Games/a b.wad|C:\My|Games\c)";
    QTest::newRow("posix paths, blanks as they stand, relative") << posix << "/w/My  Games/x y.wad|My Games/b.wad"
        << "zdoom /w/My  Games/x y.wad My Games/b.wad" << "zdoom|/w/My  Games/x y.wad|My Games/b.wad";
    QTest::newRow("a folder on the way is no file") << posix << "/w/My Games/doom 2/d.wad|/w/My Games/doom/"
        << "zdoom /w/My Games/doom 2/d.wad" << "zdoom|/w/My Games/doom 2/d.wad";
    QTest::newRow("the first piece names a file") << posix << "/w/My|/w/My Games/a.wad"
        << "zdoom /w/My Games/a.wad" << "zdoom|/w/My|Games/a.wad";
    QTest::newRow("the first piece names a folder") << posix << "/srv/wads/|/srv/wads old/x.wad|/srv/wads/x.wad"
        << "zdoom /srv/wads old/x.wad /srv/wads" << "zdoom|/srv/wads old/x.wad|/srv/wads";
    QTest::newRow("quoted pieces are not joined") << posix << "/w/My Games/a.wad"
        << R"(zdoom /w/My "Games/a.wad" "/w/My G")" << "zdoom|/w/My|Games/a.wad|/w/My G";
    QTest::newRow("a tab is no blank of a name") << posix << "/w/My Games/a.wad"
        << "zdoom /w/My\tGames/a.wad" << "zdoom|/w/My|Games/a.wad";
    // clang-format on
}

void tst_command_split::split() {
    QFETCH(QString, separators);
    QFETCH(QString, files);
    QFETCH(QString, line);
    QFETCH(QString, arguments);
    Files fs{separators, {}, {"zdoom"}, {}};
    for (const QString &file : files.split('|', Qt::SkipEmptyParts)) {
        if (file.startsWith('*'))
            fs.programs << file.mid(1);
        else if (separators.contains(file.back()))
            fs.folders << file.chopped(1);
        else
            fs.files << file;
    }
    const SplitCommand split = split_command(line, lookup(fs));
    QCOMPARE(qt(split.arguments), arguments.isEmpty() ? QStringList() : arguments.split('|'));
    QCOMPARE(QString::fromStdU16String(split.program), qt(split.arguments).value(0));
}

// For a Windows start: what was joined is quoted, everything else stands, and the program's
// C runtime reads the same arguments from the new line.
void tst_command_split::quoted_line() {
    const PathLookup paths =
        lookup({windows, {R"(C:\My Games\DOOM2.WAD)"}, {R"(C:\My Games\zdoom.exe)"}, {}, nullptr});
    const QString line = R"(C:\My Games\zdoom.exe -iwad C:\My Games\DOOM2.WAD -file  x  "y z" )";
    const SplitCommand split = split_command(line, paths);
    QCOMPARE(QString::fromStdU16String(split.quoted_line),
             R"("C:\My Games\zdoom.exe" -iwad "C:\My Games\DOOM2.WAD" -file  x  "y z" )");
    const SplitCommand again = brx::split_command(split.quoted_line, paths);
    QCOMPARE(again.program, split.program);
    QCOMPARE(again.arguments, split.arguments);
    QCOMPARE(again.quoted_line, split.quoted_line);
}

// However long the list of files, each piece costs a bounded number of look-ups.
void tst_command_split::lookups_grow_linearly_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("existing");
    for (int count : {10, 2000}) {
        QTest::addRow("%d existing", count) << count << true;
        QTest::addRow("%d missing", count) << count << false;
    }
}

void tst_command_split::lookups_grow_linearly() {
    QFETCH(int, count);
    QFETCH(bool, existing);
    QStringList files;
    QString line = "zdoom -iwad /g/DOOM2.WAD -file ";
    for (int i = 0; i < count; ++i) {
        line += QStringLiteral(" /w/My Games/a%1.wad").arg(i);
        if (existing)
            files << QStringLiteral("/w/My Games/a%1.wad").arg(i);
    }
    line += " -skill  4 -warp 07 -width 640 -height 480 +snd_samplerate 44100";
    int lookups = 0;
    const SplitCommand split = split_command(line, lookup({posix, files, {"zdoom"}, {}, &lookups}));
    QCOMPARE(int(split.arguments.size()), 14 + (existing ? count : 2 * count));
    QVERIFY2(lookups <= 4 * int(split.arguments.size()) + 50, qPrintable(QString::number(lookups)));
}

QTEST_APPLESS_MAIN(tst_command_split)
#include "tst_command_split.moc"
