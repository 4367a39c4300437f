#include <QtTest>
class TestWidgets : public QObject { Q_OBJECT };
QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
