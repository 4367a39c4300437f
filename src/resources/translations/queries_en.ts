<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>TKvQtMultiSelectDlg</name>
    <message>
        <source>OK</source>
        <comment>KvQtCpnt:TKvQtMultiSelectDlg.OkBtn</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <comment>KvQtCpnt:TKvQtMultiSelectDlg.CancelBtn</comment>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TKvQtMultiSelectWidget</name>
    <message>
        <source>Выбрать все элементы</source>
        <comment>KvQtCpnt:TKvQtMultiSelectWidget[0]</comment>
        <translation>Select all items</translation>
    </message>
    <message>
        <source>Инвертировать выбор элементов</source>
        <comment>KvQtCpnt:TKvQtMultiSelectWidget[1]</comment>
        <translation>Invert the selection</translation>
    </message>
    <message>
        <source>Отменить выбор для всех элементов</source>
        <comment>KvQtCpnt:TKvQtMultiSelectWidget[2]</comment>
        <translation>Deselect all items</translation>
    </message>
</context>
<context>
    <name>TKvQtQueryRBSelectDlg</name>
    <message>
        <source>Закрыть</source>
        <comment>KvQtCpnt:TKvQtQueryRBSelectDlg.CancelButton</comment>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TKvQtQueryStringListDlg</name>
    <message>
        <source>ОК</source>
        <comment>KvQtCpnt:TKvQtQueryStringListDlg.OkBtn</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <comment>KvQtCpnt:TKvQtQueryStringListDlg.CancelBtn</comment>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TKvQtQueryUniqueStringDlg</name>
    <message>
        <source>ОК</source>
        <comment>KvQtCpnt:TKvQtQueryUniqueStringDlg.OkBtn</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <comment>KvQtCpnt:TKvQtQueryUniqueStringDlg.CancelBtn</comment>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TTextQuickViewDlg</name>
    <message>
        <source>Закрыть</source>
        <comment>KvQtCpnt:TTextQuickViewDlg.CancelBtn</comment>
        <translation>Close</translation>
    </message>
</context>
</TS>
