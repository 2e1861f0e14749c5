#include "record.h"

#include <QIODevice>

namespace brx {

namespace {

// No path is longer; a damaged file cannot make a value take more memory than this.
constexpr qsizetype longest_value = 32767;

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}
bool is_line_end(char c) {
    return c == '\r' || c == '\n';
}

// Reads one value by the file's rules. Returns false when the data ends before a value
// starts.
class ValueReader {
public:
    explicit ValueReader(QIODevice &in) : in_(in) {}

    bool next(QByteArray &value) {
        value.clear();
        char c = 0;
        // Blanks before a value are skipped, and so are blank lines: a record may be spread
        // over several lines. A line end straight after a comma ends an empty value.
        do {
            if (!in_.getChar(&c))
                return false;
            if (is_line_end(c) && after_comma_) {
                after_comma_ = false;
                return true;
            }
        } while (is_blank(c) || is_line_end(c));

        if (c == '"') {
            while (in_.getChar(&c) && c != '"')
                append(value, c);
            // Whatever stands between the closing quote and the end of the value is dropped.
            while (in_.getChar(&c) && c != ',' && !is_line_end(c)) {
            }
            after_comma_ = c == ',';
            return true;
        }
        after_comma_ = false;
        do {
            if (c == ',' || is_line_end(c)) {
                after_comma_ = c == ',';
                break;
            }
            append(value, c);
        } while (in_.getChar(&c));
        // Blanks before the ending comma or line end are not part of the value; files
        // written by older versions pad values to 14-column print zones.
        while (!value.isEmpty() && is_blank(value.back()))
            value.chop(1);
        return true;
    }

private:
    static void append(QByteArray &value, char c) {
        if (value.size() < longest_value)
            value += c;
    }

    QIODevice &in_;
    bool after_comma_ = false;
};

// A number that is not numeric gives 0; so does one beyond the 16-bit range.
qint16 to_integer(const QByteArray &text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    qint32 number = 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        digits = true;
        number = number * 10 + (text[i] - '0');
        if (number > 32768)
            return 0;
    }
    if (!digits)
        return 0;
    number = negative ? -number : number;
    return number > 32767 ? 0 : qint16(number);
}

// In the file a blank follows the number too.
QByteArray print_number(qint16 number) {
    return number_text(number).toLatin1() + ' ';
}

QByteArray text_value(const QString &value) {
    const QByteArray bytes = value.toLocal8Bit();
    const bool quote = value.contains(u',') ||
                       (!bytes.isEmpty() && (is_blank(bytes.front()) || is_blank(bytes.back())));
    return quote ? '"' + bytes + '"' : bytes;
}

} // namespace

int read_record(QIODevice &in, Settings &settings) {
    ValueReader reader(in);
    QByteArray value;
    QString *texts[] = {&settings.doom_exe, &settings.doom_iwad, &settings.vid_width,
                        &settings.vid_height, &settings.snd_rate};
    int read = 0;
    for (QString *text : texts) {
        if (!reader.next(value))
            return read;
        *text = QString::fromLocal8Bit(value);
        ++read;
    }
    for (qint16 *number : {&settings.card, &settings.nomd2}) {
        if (!reader.next(value))
            return read;
        *number = to_integer(value.trimmed());
        ++read;
    }
    return read;
}

QByteArray write_record(const Settings &settings) {
    QByteArray line;
    for (const QString *text : {&settings.doom_exe, &settings.doom_iwad, &settings.vid_width,
                                &settings.vid_height, &settings.snd_rate})
        line += text_value(*text) + ',';
    line += print_number(settings.card) + ',' + print_number(settings.nomd2) + "\r\n";
    return line;
}

QString number_text(qint64 number) {
    return number >= 0 ? u' ' + QString::number(number) : QString::number(number);
}

bool storable(const QString &value) {
    return !value.contains(u'"') && !value.contains(u'\r') && !value.contains(u'\n');
}

} // namespace brx
