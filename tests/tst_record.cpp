#include "record.h"

#include <QBuffer>
#include <QTest>

using brx::Settings;

class tst_record : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_APPLESS_MAIN(tst_record)
#include "tst_record.moc"
