<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>TKvQtAboutUnitDialog</name>
    <message>
        <source>Module name</source>
        <comment>KvQtCpnt:TKvQtAboutUnitDialog.ModLabel</comment>
        <translation>Module name</translation>
    </message>
    <message>
        <source>Версия:</source>
        <comment>KvQtCpnt:TKvQtAboutUnitDialog.VersionTextLabel</comment>
        <translation>Version:</translation>
    </message>
    <message>
        <source>N/A</source>
        <comment>KvQtCpnt:TKvQtAboutUnitDialog.VersionLabel</comment>
        <translation>N/A</translation>
    </message>
    <message>
        <source>Дата сборки:</source>
        <comment>KvQtCpnt:TKvQtAboutUnitDialog.DateTextLabel</comment>
        <translation>Build date:</translation>
    </message>
    <message>
        <source>N/A</source>
        <comment>KvQtCpnt:TKvQtAboutUnitDialog.DateLabel</comment>
        <translation>N/A</translation>
    </message>
    <message>
        <source>Программы и компоненты сторонних разработчиков</source>
        <comment>KvQtCpnt:TKvQtAboutUnitDialog.ContribLabel</comment>
        <translation>Programs and components by other developers</translation>
    </message>
    <message>
        <source>О системе...</source>
        <comment>KvQtCpnt:TKvQtAboutUnitDialog.SysInfoButton</comment>
        <translation>About the system...</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <comment>KvQtCpnt:TKvQtAboutUnitDialog.CloseButton</comment>
        <translation>Close</translation>
    </message>
    <message>
        <source>О программе</source>
        <comment>KvQtCpnt:TKvQtAboutUnitDialog.windowTitle</comment>
        <translation>About</translation>
    </message>
</context>
<context>
    <name>TKvStreamToQtIODevice</name>
    <message>
        <source>Поток закрыт</source>
        <comment>KvQtCpnt:TKvStreamToQtIODevice.Closed</comment>
        <translation>The stream is closed</translation>
    </message>
    <message>
        <source>Ошибка чтения из потока %1</source>
        <comment>KvQtCpnt:TKvStreamToQtIODevice.ReadError</comment>
        <translation>Read error in stream %1</translation>
    </message>
    <message>
        <source>Ошибка записи в поток %1</source>
        <comment>KvQtCpnt:TKvStreamToQtIODevice.WriteError</comment>
        <translation>Write error in stream %1</translation>
    </message>
</context>
</TS>
