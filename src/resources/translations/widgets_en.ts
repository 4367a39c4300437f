<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>TKvFindWidget</name>
    <message>
        <source>Найти:</source>
        <comment>KvQtCpnt:TKvFindWidget.label</comment>
        <translation>Find:</translation>
    </message>
    <message>
        <source>Назад</source>
        <comment>KvQtCpnt:TKvFindWidget.ReverseBtn</comment>
        <translation>Back</translation>
    </message>
    <message>
        <source>Далее</source>
        <comment>KvQtCpnt:TKvFindWidget.ForwardBtn</comment>
        <translation>Next</translation>
    </message>
    <message>
        <source>Параметры</source>
        <comment>KvQtCpnt:TKvFindWidget.SettingsBtn</comment>
        <translation>Options</translation>
    </message>
</context>
<context>
    <name>TKvQtFindDlg</name>
    <message>
        <source>Поиск</source>
        <comment>KvQtCpnt:TKvQtFindDlg.windowTitle</comment>
        <translation>Search</translation>
    </message>
    <message>
        <source>Найти:</source>
        <comment>KvQtCpnt:TKvQtFindDlg.FindLabel</comment>
        <translation>Find:</translation>
    </message>
    <message>
        <source>Слово целиком</source>
        <comment>KvQtCpnt:TKvQtFindDlg.WholeWordCheckBox</comment>
        <translation>Whole word</translation>
    </message>
    <message>
        <source>С учётом регистра</source>
        <comment>KvQtCpnt:TKvQtFindDlg.MatchCaseCheckBox</comment>
        <translation>Match case</translation>
    </message>
    <message>
        <source>Добавлять к выделенному</source>
        <comment>KvQtCpnt:TKvQtFindDlg.AddToSelectedCheckBox</comment>
        <translation>Add to selection</translation>
    </message>
    <message>
        <source>Направление поиска</source>
        <comment>KvQtCpnt:TKvQtFindDlg.groupBox.title</comment>
        <translation>Search direction</translation>
    </message>
    <message>
        <source>Назад</source>
        <comment>KvQtCpnt:TKvQtFindDlg.ReversRadioButton</comment>
        <translation>Back</translation>
    </message>
    <message>
        <source>Вперёд</source>
        <comment>KvQtCpnt:TKvQtFindDlg.ForwardRadioButton</comment>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Найти далее</source>
        <comment>KvQtCpnt:TKvQtFindDlg.FindButton</comment>
        <translation>Find next</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <comment>KvQtCpnt:TKvQtFindDlg.CloseButton</comment>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TKvQtHistogramDlg</name>
    <message>
        <source>Гистограмма</source>
        <comment>KvQtCpnt:TKvQtHistogramDlg.windowTitle</comment>
        <translation>Histogram</translation>
    </message>
    <message>
        <source>Единицы измерения вдоль горизонтальной оси: </source>
        <comment>KvQtCpnt:TKvQtHistogramDlg.label</comment>
        <translation>Units along the horizontal axis: </translation>
    </message>
    <message>
        <source>Среднее</source>
        <comment>KvQtCpnt:TKvQtHistogramDlg.ResidualsTableWidget[0]</comment>
        <translation>Mean</translation>
    </message>
    <message>
        <source>Ср. модуль</source>
        <comment>KvQtCpnt:TKvQtHistogramDlg.ResidualsTableWidget[1]</comment>
        <translation>Mean abs.</translation>
    </message>
    <message>
        <source>СКО</source>
        <comment>KvQtCpnt:TKvQtHistogramDlg.ResidualsTableWidget[2]</comment>
        <translation>RMS</translation>
    </message>
    <message>
        <source>Стандарт. откл-е</source>
        <comment>KvQtCpnt:TKvQtHistogramDlg.ResidualsTableWidget[3]</comment>
        <translation>Std. deviation</translation>
    </message>
    <message>
        <source>Мода</source>
        <comment>KvQtCpnt:TKvQtHistogramDlg.ResidualsTableWidget[4]</comment>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Медиана</source>
        <comment>KvQtCpnt:TKvQtHistogramDlg.ResidualsTableWidget[5]</comment>
        <translation>Median</translation>
    </message>
    <message>
        <source>Шаг</source>
        <comment>KvQtCpnt:TKvQtHistogramDlg.ResidualsTableWidget[6]</comment>
        <translation>Step</translation>
    </message>
    <message>
        <source>Ед. измерения</source>
        <comment>KvQtCpnt:TKvQtHistogramDlg.ResidualsTableWidget[7]</comment>
        <translation>Units</translation>
    </message>
    <message>
        <source>Перестроить</source>
        <comment>KvQtCpnt:TKvQtHistogramDlg.RecalcBtn</comment>
        <translation>Rebuild</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <comment>KvQtCpnt:TKvQtHistogramDlg.CloseBtn</comment>
        <translation>Close</translation>
    </message>
    <message>
        <source>Вкл / Выкл показ</source>
        <comment>KvQtCpnt:TKvQtHistogramDlg.toolTip</comment>
        <translation>Show / hide coordinates</translation>
    </message>
</context>
</TS>
