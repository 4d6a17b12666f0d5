<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>ConfusionMap</name>
    <message numerus="yes">
        <source>“%1” asked, “%2” clicked: %n time(s)</source>
        <translation>
            <numerusform>“%1” asked, “%2” clicked: once</numerusform>
            <numerusform>“%1” asked, “%2” clicked: %n times</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message numerus="yes">
        <source>Clicked “%1” instead of “%2”: %n time(s)</source>
        <translation>
            <numerusform>Clicked “%1” instead of “%2”: once</numerusform>
            <numerusform>Clicked “%1” instead of “%2”: %n times</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Today: %n answer(s), %1% right on the first try.</source>
        <translation>
            <numerusform>Today: %n answer, %1% right on the first try.</numerusform>
            <numerusform>Today: %n answers, %1% right on the first try.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: clicked “%2” when “%3” was asked, %n time(s) this week</source>
        <translation>
            <numerusform>%1: clicked “%2” when “%3” was asked, once this week</numerusform>
            <numerusform>%1: clicked “%2” when “%3” was asked, %n times this week</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: right on the first try the last %n time(s) it was asked</source>
        <translation>
            <numerusform>%1: right on the first try the last time it was asked</numerusform>
            <numerusform>%1: right on the first try the last %n times it was asked</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: last asked %n day(s) ago</source>
        <translation>
            <numerusform>%1: last asked %n day ago</numerusform>
            <numerusform>%1: last asked %n days ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Known letters: %n of 28</source>
        <translation>
            <numerusform>Known letters: %n of 28</numerusform>
            <numerusform>Known letters: %n of 28</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>VoiceImport</name>
    <message numerus="yes">
        <source>%1: longer than %n second(s).</source>
        <translation>
            <numerusform>%1: longer than %n second.</numerusform>
            <numerusform>%1: longer than %n seconds.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>VoicePack</name>
    <message numerus="yes">
        <source>%n channel(s)</source>
        <translation>
            <numerusform>%n channel</numerusform>
            <numerusform>%n channels</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>VoicesApp</name>
    <message numerus="yes">
        <source>The file was still being read after %n second(s): stopped, nothing changed.</source>
        <translation>
            <numerusform>The file was still being read after %n second: stopped, nothing changed.</numerusform>
            <numerusform>The file was still being read after %n seconds: stopped, nothing changed.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>VoicesWindow</name>
    <message numerus="yes">
        <source>%n sound(s) taken from the file; your earlier voices are kept aside.</source>
        <translation>
            <numerusform>%n sound taken from the file; your earlier voices are kept aside.</numerusform>
            <numerusform>%n sounds taken from the file; your earlier voices are kept aside.</numerusform>
        </translation>
    </message>
</context>
</TS>
