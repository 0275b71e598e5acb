#pragma once

#include <QString>

// What a user may send: a chat line or a private message, typed in a window
// or given on the command line. Every place that sends typed text asks here,
// so the rules and the form on the wire are the same wherever it was typed.
namespace wire {

enum class TypedTextFault {
    None,
    Empty,
    LineBreak, // only where the text must be one line
    Separator, // "§" would split the datagram into fields
    TooLong,   // over kMaxTypedText
};

enum class Lines { One, Many };

// The first rule the text breaks, checked in the order of the enum.
TypedTextFault typedTextFault(const QString &text, Lines lines);

// A private message as it goes out: every line break as CR LF, as the
// stations it talks to write and read them.
QString messageAsSent(QString text);

} // namespace wire
