#include "map_info.h"

#include "map_names.h"

#include <QChar>

#include <algorithm>

namespace brx {

namespace {

// Tokens of the brace-and-string languages: identifiers and numbers (words), strings, and
// single punctuation characters. Comments are //, /* */ and, where `semicolon_comments`, ;.
class Scanner {
public:
    enum Type { end, word, string, punct };

    Scanner(QByteArrayView text, bool semicolon_comments)
        : text_(text), semicolon_comments_(semicolon_comments) {}

    Type next() {
        skip_blanks();
        value.clear();
        if (at_ >= text_.size())
            return type = end;
        const char c = text_[at_];
        if (c == '"') {
            ++at_;
            // Most strings hold no escapes and are taken as they stand.
            const qsizetype from = at_;
            while (at_ < text_.size() && text_[at_] != '"' && text_[at_] != '\\')
                ++at_;
            if (at_ >= text_.size() || text_[at_] == '"') {
                if (at_ > from) // an empty one stays null, as one read by bytes would
                    value = QString::fromLatin1(text_.sliced(from, at_ - from));
                ++at_; // the closing quote, or past the end
                return type = string;
            }
            at_ = from;
            QByteArray bytes;
            while (at_ < text_.size() && text_[at_] != '"') {
                char ch = text_[at_++];
                if (ch == '\\' && at_ < text_.size()) {
                    ch = text_[at_++];
                    if (ch == 'n')
                        ch = '\n';
                }
                bytes += ch;
            }
            ++at_; // the closing quote, or past the end
            value = QString::fromLatin1(bytes);
            return type = string;
        }
        if (word_char(c)) {
            const qsizetype from = at_;
            while (at_ < text_.size() && word_char(text_[at_]))
                ++at_;
            value = QString::fromLatin1(text_.sliced(from, at_ - from));
            return type = word;
        }
        ++at_;
        value = QChar::fromLatin1(c);
        return type = punct;
    }

    bool is(const char *punctuation) const {
        return type == punct && value == QLatin1StringView(punctuation);
    }
    bool is_word(const char *word_text) const {
        return type == word &&
               value.compare(QLatin1StringView(word_text), Qt::CaseInsensitive) == 0;
    }

    Type type = end;
    QString value;

private:
    static bool word_char(char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '$' || c == '-' || c == '.' || c == '+' || c == '@';
    }

    void skip_blanks() {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
                ++at_;
            } else if ((c == '/' && at_ + 1 < text_.size() && text_[at_ + 1] == '/') ||
                       (c == ';' && semicolon_comments_)) {
                while (at_ < text_.size() && text_[at_] != '\n')
                    ++at_;
            } else if (c == '/' && at_ + 1 < text_.size() && text_[at_ + 1] == '*') {
                const qsizetype close = text_.indexOf("*/", at_ + 2);
                at_ = close < 0 ? text_.size() : close + 2;
            } else {
                return;
            }
        }
    }

    QByteArrayView text_;
    bool semicolon_comments_;
    qsizetype at_ = 0;
};

// MAP07 for an old-style map number, else the name in upper case.
QString map_lump_name(const QString &word) {
    bool number = false;
    const int n = word.toInt(&number);
    if (number && n >= 0 && n <= 99)
        return QStringLiteral("MAP%1").arg(n, 2, 10, QChar(u'0'));
    return word.toUpper();
}

} // namespace

QList<UmapinfoMap> parse_umapinfo(QByteArrayView text) {
    QList<UmapinfoMap> maps;
    QHash<QString, qsizetype> index; // a later entry for the same map replaces the earlier one
    Scanner in(text, false);
    while (in.next() != Scanner::end) {
        if (!in.is_word("MAP") || in.next() != Scanner::word)
            return maps;
        UmapinfoMap map{in.value.toUpper(), {}, {}, false};
        if (in.next() != Scanner::punct || !in.is("{"))
            return maps;
        in.next();
        while (!in.is("}")) {
            if (in.type != Scanner::word)
                return maps;
            const QString key = in.value.toLower();
            if (in.next() != Scanner::punct || !in.is("="))
                return maps;
            // One value or more, comma-separated.
            const Scanner::Type type = in.next();
            const QString value = in.value;
            if (type == Scanner::end || type == Scanner::punct)
                return maps;
            while (in.next() == Scanner::punct && in.is(",")) {
                if (in.next() == Scanner::end || in.type == Scanner::punct)
                    return maps;
            }
            if (key == u"levelname" && type == Scanner::string) {
                map.levelname = value;
                map.has_levelname = true;
            } else if (key == u"label") {
                map.label = type == Scanner::string ? value : QString();
            }
        }
        const auto old = index.constFind(map.map);
        if (old != index.cend()) {
            maps[*old] = map;
        } else {
            index.insert(map.map, maps.size());
            maps.append(map);
        }
    }
    return maps;
}

QList<MapinfoMap> parse_mapinfo(QByteArrayView text) {
    QList<MapinfoMap> maps;
    Scanner in(text, true);
    int depth = 0;
    in.next();
    while (in.type != Scanner::end) {
        if (in.is("{")) {
            ++depth;
        } else if (in.is("}")) {
            depth = std::max(depth - 1, 0);
        } else if (depth == 0 && in.is_word("map")) {
            if (in.next() != Scanner::word)
                continue; // read this token again as it is
            MapinfoMap map{map_lump_name(in.value), {}, false};
            if (in.next() == Scanner::word && in.is_word("lookup")) {
                map.lookup = true;
                in.next();
            }
            if (in.type != Scanner::string && in.type != Scanner::word)
                continue;
            map.title = in.value;
            if (!map.lookup && map.title.startsWith(u'$')) {
                map.lookup = true;
                map.title.remove(0, 1);
            }
            maps.append(map);
        }
        in.next();
    }
    return maps;
}

QString Language::lookup(const QString &key) const {
    const QString upper = key.toUpper();
    for (const QHash<QString, QString> &table : strings) {
        const auto found = table.constFind(upper);
        if (found != table.cend())
            return *found;
    }
    return {};
}

void parse_language(QByteArrayView text, Language &language) {
    Scanner in(text, false);
    QList<int> ranks; // of the section's languages that are kept
    in.next();
    while (in.type != Scanner::end) {
        if (in.is("[")) {
            ranks.clear();
            while (in.next() != Scanner::end && !in.is("]")) {
                const QString code = in.value.toLower();
                const int rank = code == u"*"         ? 0
                                 : code == u"enu"     ? 1
                                 : code == u"en"      ? 2
                                 : code == u"default" ? 3
                                                      : -1;
                if (rank >= 0)
                    ranks.append(rank);
            }
            in.next();
            continue;
        }
        if (in.type == Scanner::word && in.value.startsWith(u"$ifgame", Qt::CaseInsensitive)) {
            // $ifgame(doom): the game's name in brackets, then the entry.
            while (in.next() != Scanner::end && !in.is(")")) {
            }
            in.next();
            continue;
        }
        if (in.type != Scanner::word) {
            in.next();
            continue;
        }
        const QString key = in.value.toUpper();
        if (in.next() != Scanner::punct || !in.is("="))
            continue;
        QString value;
        while (in.next() == Scanner::string)
            value += in.value;
        if (!in.is(";"))
            continue;
        for (const int rank : ranks)
            language.strings[rank].insert(key, value);
        in.next();
    }
}

namespace {

// The strings that follow a `Text` line: `old_length` characters of old text, then `new_length`
// of new; a CR counts as none. Nothing when the text ends first.
bool read_text_block(QByteArrayView text, qsizetype &at, qsizetype length, QString &out) {
    QByteArray bytes;
    while (length > 0) {
        if (at >= text.size())
            return false;
        const char c = text[at++];
        if (c == '\r')
            continue;
        bytes += c;
        --length;
    }
    out = QString::fromLatin1(bytes);
    return true;
}

} // namespace

void parse_dehacked(QByteArrayView text, Dehacked &dehacked) {
    bool strings = false;
    qsizetype at = 0;
    QString pending_key, pending_value;
    const auto finish = [&] {
        if (!pending_key.isEmpty())
            dehacked.strings.insert(pending_key, pending_value.replace(QLatin1StringView("\\n"),
                                                                       QLatin1StringView("\n")));
        pending_key.clear();
        pending_value.clear();
    };
    while (at < text.size()) {
        qsizetype eol = text.indexOf('\n', at);
        if (eol < 0)
            eol = text.size();
        const QString line = QString::fromLatin1(text.sliced(at, eol - at)).trimmed();
        at = eol + 1;
        if (!pending_key.isEmpty()) {
            // A value whose line ended with a backslash goes on.
            QString part = line;
            const bool more = part.endsWith(u'\\');
            if (more)
                part.chop(1);
            pending_value += part;
            if (!more)
                finish();
            continue;
        }
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            strings = line.compare(u"[STRINGS]", Qt::CaseInsensitive) == 0;
            continue;
        }
        const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
        if (words.size() == 3 && words[0].compare(u"Text", Qt::CaseInsensitive) == 0) {
            bool old_ok = false, new_ok = false;
            const qsizetype old_length = words[1].toLongLong(&old_ok);
            const qsizetype new_length = words[2].toLongLong(&new_ok);
            QString old_text, new_text;
            if (!old_ok || !new_ok || old_length < 0 || new_length < 0 ||
                old_length > text.size() || new_length > text.size() ||
                !read_text_block(text, at, old_length, old_text) ||
                !read_text_block(text, at, new_length, new_text))
                return;
            dehacked.texts.append({old_text, new_text});
            strings = false;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!strings || equals <= 0)
            continue;
        pending_key = line.left(equals).trimmed().toUpper();
        QString value = line.mid(equals + 1).trimmed();
        const bool more = value.endsWith(u'\\');
        if (more)
            value.chop(1);
        pending_value = value;
        if (!more)
            finish();
    }
    finish();
}

QString strip_map_prefix(const QString &title, const QString &map) {
    const MapName name = classify_map(map);
    QString prefix;
    if (name.kind == MapName::episodic)
        prefix = map.toUpper() + QStringLiteral(": ");
    else if (name.kind == MapName::numbered)
        prefix = QString::number(name.number) + QStringLiteral(": ");
    else
        return title;
    const qsizetype found = title.indexOf(prefix, 0, Qt::CaseInsensitive);
    return found < 0 ? title : title.mid(found + prefix.size());
}

} // namespace brx
