#include "cli/runlog.h"
#include "protocol/modeltable.h"

#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <memory>
#include <vector>

// A production bench may start several runs at once on one log: the column names come once,
// first, and every run's line is there whole.
class tst_RunLog : public QObject
{
    Q_OBJECT

private slots:
    void newLogGetsItsHeaderOnce();
};

void tst_RunLog::newLogGetsItsHeaderOnce()
{
    constexpr int Writers = 12;
    constexpr int Rounds = 20;
    QTemporaryDir folder;
    // Runs are processes; Qt 5.15 crashes when threads build its calendars at the same time.
    QDateTime::currentDateTime().toString(Qt::ISODate);
    for (int round = 0; round < Rounds; ++round) {
        const QString path = folder.filePath(QStringLiteral("runs-%1.csv").arg(round));
        std::atomic<int> ready{0};
        std::atomic<int> refused{0};
        std::vector<std::unique_ptr<QThread>> writers;
        for (int i = 0; i < Writers; ++i) {
            writers.emplace_back(QThread::create([&ready, &refused, path, i] {
                // All start together, as processes started by one script do.
                ++ready;
                while (ready < Writers)
                    QThread::yieldCurrentThread();
                const QString error = RunLog(path).append(
                    {QDateTime::currentDateTime(),
                     QStringLiteral("port"),
                     QStringLiteral("write"),
                     QString::number(i),
                     {RunOutcome::Done, QStringLiteral("Zrobione."), nullptr, {}}});
                if (!error.isEmpty())
                    ++refused;
            }));
            writers.back()->start();
        }
        for (const auto &writer : writers)
            QVERIFY(writer->wait());
        QCOMPARE(refused.load(), 0);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        const QStringList lines = text.split('\n', Qt::SkipEmptyParts);
        QVERIFY2(lines.size() == Writers + 1, qPrintable(text));
        QCOMPARE(lines.first(), RunLog::Columns.join(','));
        QCOMPARE(lines.count(RunLog::Columns.join(',')), 1);
    }
}

QTEST_GUILESS_MAIN(tst_RunLog)
#include "tst_runlog.moc"
