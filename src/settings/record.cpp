#include "record.h"

#include "number_text.h"

#include <QIODevice>

#include <algorithm>

namespace brx {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}
bool is_line_end(char c) {
    return c == '\r' || c == '\n';
}
// A lambda rather than a function, so that the scans below inline it.
constexpr auto ends_value = [](char c) { return c == ',' || is_line_end(c); };

// Reads one value by the file's rules, taking the data from the device a block at a time.
class ValueReader {
public:
    explicit ValueReader(QIODevice &in) : in_(in), block_(64 * 1024, Qt::Uninitialized) {}

    // False when the data ends, or the device fails, before a value starts.
    bool next(QByteArray &value) {
        value.clear();
        // Blanks before a value are skipped, and so are blank lines: a record may be spread
        // over several lines. A line end straight after a comma ends an empty value.
        const auto starts = [after_comma = after_comma_](char c) {
            return !is_blank(c) && (after_comma || !is_line_end(c));
        };
        do {
            if (!more())
                return false;
            at_ = std::find_if(at_, end_, starts);
        } while (at_ == end_);
        if (is_line_end(*at_)) {
            ++at_;
            after_comma_ = false;
            return true;
        }
        if (*at_ == '"') {
            ++at_;
            take_until(&value, [](char c) { return c == '"'; });
            // Whatever stands between the closing quote and the end of the value is dropped.
            after_comma_ = take_until(nullptr, ends_value) == ',';
            return true;
        }
        after_comma_ = take_until(&value, ends_value) == ',';
        // Blanks before the ending comma or line end are not part of the value; files
        // written by older versions pad values to 14-column print zones.
        while (!value.isEmpty() && is_blank(value.back()))
            value.chop(1);
        return true;
    }

    bool failed() const { return failed_; }

private:
    // Whether a byte is left to read, reading the next block when this one is used up.
    bool more() {
        if (at_ != end_)
            return true;
        const qint64 got = failed_ ? -1 : in_.read(block_.data(), block_.size());
        failed_ = got < 0;
        at_ = block_.constData();
        end_ = at_ + qMax(got, qint64(0));
        return at_ != end_;
    }

    // Keeps the bytes before the first one that `stop` accepts (no more than longest_value of
    // them), and reads past that one too. Returns it, or 0 when the data ends first.
    template <typename Stop> char take_until(QByteArray *value, Stop stop) {
        while (more()) {
            const char *found = std::find_if(at_, end_, stop);
            if (value)
                value->append(at_, qMin(qsizetype(found - at_), longest_value - value->size()));
            at_ = found;
            if (found != end_)
                return *at_++;
        }
        return 0;
    }

    QIODevice &in_;
    QByteArray block_;
    const char *at_ = nullptr;
    const char *end_ = nullptr;
    bool after_comma_ = false;
    bool failed_ = false;
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
    // A value cut short by a read error is not kept.
    const auto ended = [&](int read) { return reader.failed() ? -1 : read; };
    QString *texts[] = {&settings.doom_exe, &settings.doom_iwad, &settings.vid_width,
                        &settings.vid_height, &settings.snd_rate};
    int read = 0;
    for (QString *text : texts) {
        if (!reader.next(value) || reader.failed())
            return ended(read);
        *text = QString::fromLocal8Bit(value);
        ++read;
    }
    for (qint16 *number : {&settings.card, &settings.nomd2}) {
        if (!reader.next(value) || reader.failed())
            return ended(read);
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

QString unstorable(const QString &value) {
    if (value.contains(u'"') || value.contains(u'\r') || value.contains(u'\n'))
        return QStringLiteral("This value holds a double quote or a line break, which brx.cfg "
                              "cannot store:\n%1")
            .arg(value);
    // A NUL would end the engine's argument there: the path would reach it cut short.
    if (value.contains(QChar(0)))
        return QStringLiteral("This value holds a NUL character, which no path can hold:\n%1")
            .arg(QString(value).replace(QChar(0), u' '));
    // brx.cfg is in the system's 8-bit encoding: an ANSI code page on Windows, where a
    // character outside it would be stored as '?' and the path lost.
    const QByteArray bytes = value.toLocal8Bit();
    if (QString::fromLocal8Bit(bytes) != value)
        return QStringLiteral("This value holds characters that brx.cfg cannot store in this "
                              "system's encoding:\n%1")
            .arg(value);
    if (bytes.size() > longest_value)
        return QStringLiteral("This value is %1 bytes long; brx.cfg stores values of at most "
                              "%2 bytes:\n%3...")
            .arg(bytes.size())
            .arg(longest_value)
            .arg(value.left(100));
    return {};
}

} // namespace brx
