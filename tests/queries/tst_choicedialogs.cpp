// placeholder, filled below
#include <QtTest>
class TstChoiceDialogs : public QObject { Q_OBJECT };
QTEST_MAIN(TstChoiceDialogs)
#include "tst_choicedialogs.moc"
