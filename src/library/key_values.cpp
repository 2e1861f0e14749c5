#include "key_values.h"

namespace brx {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Splits the text into strings and braces, one at a time.
class Tokens {
public:
    explicit Tokens(QByteArrayView text) : text_(text) {}

    enum Kind { end, open, close, string };

    // The next token; a string's text is then in `text()`.
    Kind next() {
        for (;;) {
            while (at_ < text_.size() && is_blank(text_[at_]))
                ++at_;
            if (at_ >= text_.size())
                return end;
            const char c = text_[at_];
            if (c == '/' && at_ + 1 < text_.size() && text_[at_ + 1] == '/') {
                skip_to('\n');
            } else if (c == '[') {
                skip_to(']');
            } else if (c == '{') {
                ++at_;
                return open;
            } else if (c == '}') {
                ++at_;
                return close;
            } else if (c == '"') {
                ++at_;
                quoted();
                return string;
            } else {
                bare();
                return string;
            }
        }
    }

    const QString &text() const { return text_of_string_; }

private:
    void skip_to(char last) {
        while (at_ < text_.size() && text_[at_] != last)
            ++at_;
        ++at_;
    }

    // Up to the closing quote or the end of the text; `\n`, `\t`, `\\` and `\"` are escapes,
    // and a backslash before anything else stands for itself.
    void quoted() {
        QByteArray bytes;
        while (at_ < text_.size() && text_[at_] != '"') {
            char c = text_[at_++];
            if (c == '\\' && at_ < text_.size()) {
                switch (text_[at_]) {
                case 'n':
                    c = '\n', ++at_;
                    break;
                case 't':
                    c = '\t', ++at_;
                    break;
                case '\\':
                    ++at_;
                    break;
                case '"':
                    c = '"', ++at_;
                    break;
                default:
                    break;
                }
            }
            bytes += c;
        }
        ++at_;
        text_of_string_ = QString::fromUtf8(bytes);
    }

    void bare() {
        const qsizetype from = at_;
        while (at_ < text_.size() && !is_blank(text_[at_]) && text_[at_] != '{' &&
               text_[at_] != '}' && text_[at_] != '"')
            ++at_;
        text_of_string_ = QString::fromUtf8(text_.sliced(from, at_ - from));
    }

    QByteArrayView text_;
    qsizetype at_ = 0;
    QString text_of_string_;
};

} // namespace

QList<KeyValue> read_key_values(QByteArrayView text) {
    QList<KeyValue> values;
    Tokens tokens(text);
    QStringList blocks; // the keys of the open blocks
    int too_deep = 0;   // blocks open beyond the depth kept
    QString key;
    bool have_key = false;
    for (;;) {
        switch (tokens.next()) {
        case Tokens::end:
            return values;
        case Tokens::open:
            // A block without a key gets an empty one.
            if (too_deep > 0 || blocks.size() >= key_values_depth)
                ++too_deep;
            else
                blocks.append(have_key ? key : QString());
            have_key = false;
            break;
        case Tokens::close:
            if (too_deep > 0)
                --too_deep;
            else if (!blocks.isEmpty())
                blocks.removeLast();
            have_key = false;
            break;
        case Tokens::string:
            if (!have_key) {
                key = tokens.text();
                have_key = true;
            } else {
                if (too_deep == 0) {
                    QStringList keys = blocks;
                    keys.append(key);
                    values.append({std::move(keys), tokens.text()});
                }
                have_key = false;
            }
            break;
        }
    }
}

QStringList steam_library_paths(QByteArrayView vdf) {
    QStringList paths;
    for (const KeyValue &value : read_key_values(vdf)) {
        if (value.keys.isEmpty() ||
            value.keys.front().compare(u"libraryfolders", Qt::CaseInsensitive) != 0)
            continue;
        bool numbered = false;
        if (value.keys.size() == 3 && value.keys[2].compare(u"path", Qt::CaseInsensitive) == 0)
            paths.append(value.value);
        else if (value.keys.size() == 2 && (value.keys[1].toInt(&numbered), numbered))
            paths.append(value.value);
    }
    return paths;
}

} // namespace brx
