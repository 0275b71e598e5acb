#include "wire/carriedtext.h"

#include "wire/wire.h"

namespace wire {

QString carried(const QString &text)
{
    // encode() writes only bytes the code page defines, so this always decodes.
    return decode(encode(text)).value_or(QString());
}

QStringList lostInTransit(const QString &text)
{
    QStringList lost;
    for (const char32_t ch : text.toUcs4()) {
        const QString one = QString::fromUcs4(&ch, 1);
        if (ch != U'?' && encode(one) == "?" && !lost.contains(one))
            lost << one;
    }
    return lost;
}

} // namespace wire
