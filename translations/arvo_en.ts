<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>PhotoSeries</name>
    <message numerus="yes">
        <source>%n photo(s)</source>
        <translation>
            <numerusform>%n photo</numerusform>
            <numerusform>%n photos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReviewTexts</name>
    <message numerus="yes">
        <source>%n selected</source>
        <translation>
            <numerusform>%n selected</numerusform>
            <numerusform>%n selected</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Move %n photos to the trash?</source>
        <translation>
            <numerusform>Move %n photo to the trash?</numerusform>
            <numerusform>Move %n photos to the trash?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Move %n recordings to the trash?</source>
        <translation>
            <numerusform>Move %n recording to the trash?</numerusform>
            <numerusform>Move %n recordings to the trash?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n photos</source>
        <translation>
            <numerusform>%n photo</numerusform>
            <numerusform>%n photos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n recordings</source>
        <translation>
            <numerusform>%n recording</numerusform>
            <numerusform>%n recordings</numerusform>
        </translation>
    </message>
</context>
</TS>
