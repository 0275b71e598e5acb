<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>UnseenCounts</name>
    <message numerus="yes">
        <source>Work room: %n new line(s)</source>
        <translation>
            <numerusform>Work room: %n new line</numerusform>
            <numerusform>Work room: %n new lines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Tea room: %n new line(s)</source>
        <translation>
            <numerusform>Tea room: %n new line</numerusform>
            <numerusform>Tea room: %n new lines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n new message(s)</source>
        <translation>
            <numerusform>%n new message</numerusform>
            <numerusform>%n new messages</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UserListModel</name>
    <message numerus="yes">
        <source>%1 is heard from %2, which speaks for %n names: a bridge from another network, or a computer several people share.</source>
        <translation>
            <numerusform>%1 is heard from %2, which speaks for %n name: a bridge from another network, or a computer several people share.</numerusform>
            <numerusform>%1 is heard from %2, which speaks for %n names: a bridge from another network, or a computer several people share.</numerusform>
        </translation>
    </message>
</context>
</TS>
