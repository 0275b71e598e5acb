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
</TS>
