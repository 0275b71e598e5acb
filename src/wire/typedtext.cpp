#include "wire/typedtext.h"

#include "wire/wire.h"

namespace wire {

TypedTextFault typedTextFault(const QString &text, Lines lines)
{
    if (text.isEmpty())
        return TypedTextFault::Empty;
    // A line break in a chat line would pass for further log lines at every station.
    if (lines == Lines::One && (text.contains(u'\n') || text.contains(u'\r')))
        return TypedTextFault::LineBreak;
    if (text.contains(kSeparator))
        return TypedTextFault::Separator;
    if (text.size() > kMaxTypedText)
        return TypedTextFault::TooLong;
    return TypedTextFault::None;
}

QString messageAsSent(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    // A text box gives its line breaks as these.
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    text.replace(u'\n', QLatin1String("\r\n"));
    return text;
}

} // namespace wire
