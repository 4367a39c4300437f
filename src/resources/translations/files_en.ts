<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>QtNetDlg</name>
    <message>
        <source>Обновление...</source>
        <comment>KvQtCpnt:QtNetDlg.Updating</comment>
        <translation>Updating...</translation>
    </message>
</context>
<context>
    <name>TKvQueryFileDirDlg</name>
    <message>
        <source>OK</source>
        <comment>KvQtCpnt:TKvQueryFileDirDlg.btnOK</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <comment>KvQtCpnt:TKvQueryFileDirDlg.btnCancel</comment>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Выбор папки</source>
        <comment>KvQtCpnt:TKvQueryFileDirDlg.dirEdit</comment>
        <translation>Select a folder</translation>
    </message>
</context>
</TS>
