<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>QtTreePropertyBrowser</name>
    <message>
        <source>Свойство</source>
        <comment>KvQtCpnt:QtTreePropertyBrowser.Property</comment>
        <translation>Property</translation>
    </message>
    <message>
        <source>Значение</source>
        <comment>KvQtCpnt:QtTreePropertyBrowser.Value</comment>
        <translation>Value</translation>
    </message>
</context>
<context>
    <name>QtVariantPropertyManager</name>
    <message>
        <source>Истина</source>
        <comment>KvQtCpnt:QtVariantPropertyManager.True</comment>
        <translation>True</translation>
    </message>
    <message>
        <source>Ложь</source>
        <comment>KvQtCpnt:QtVariantPropertyManager.False</comment>
        <translation>False</translation>
    </message>
</context>
<context>
    <name>TKvQPropertiesDlg</name>
    <message>
        <source>ОК</source>
        <comment>KvQtCpnt:TKvQPropertiesDlg.OkBtn</comment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Неизвестный тип</source>
        <comment>KvQtCpnt:TKvQPropertiesDlg.UnknownType</comment>
        <translation>Unknown type</translation>
    </message>
</context>
</TS>
