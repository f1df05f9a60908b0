// SPDX-License-Identifier: GPL-3.0-or-later
// How fast a question set loads and how much memory it takes, beside `wc -l` reading the same file.
#include "questions/QuestionFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <optional>

using namespace quorvex::questions;

namespace {

constexpr int kRuns = 3;

// A value in kB from /proc/self/status ("VmRSS", "VmHWM"); nothing where there is no such file.
std::optional<qint64> processStatus(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix)) {
            return line.mid(prefix.size()).trimmed().split(' ').constFirst().toLongLong();
        }
    }
    return std::nullopt;
}

// Lets VmHWM restart from the current resident size, so the next peak belongs to the next load alone.
bool resetPeak()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

// About 60 bytes a line, with a few accented letters so the UTF-8 check meets more than ASCII.
void writeSet(const QString& path, int questions)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    QByteArray text;
    text.reserve(qsizetype(questions) * 124);
    for (int n = 1; n <= questions; ++n) {
        text += "Question " + QByteArray::number(n) + ": which river runs through the old town";
        text += n % 10 == 0 ? " of S\xC3\xA8te\n" : " of Ghent\n";
        text += "The river that runs through town number " + QByteArray::number(n) + " is the Leie\n";
    }
    file.write(text);
}

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double wcMilliseconds(const QString& path)
{
    QProcess wc;
    wc.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    wc.start(QStringLiteral("wc"), {QStringLiteral("-l"), path});
    if (!wc.waitForFinished(-1) || wc.exitCode() != 0) {
        return -1;
    }
    return milliseconds(timer);
}

// Loads one set kRuns times in this process and prints "load-ms walk-ms growth-kB". Each size runs in a fresh
// process, so memory left to the allocator by an earlier set does not hide part of the next one's growth.
int measureLoad(const QString& path, qsizetype questions)
{
    double bestLoad = 1e300;
    double walk = 0;
    qint64 growthKb = -1;
    for (int run = 0; run < kRuns; ++run) {
        const std::optional<qint64> before = processStatus("VmRSS");
        const bool peakReset = resetPeak();
        QElapsedTimer timer;
        timer.start();
        const QuestionFileResult result = loadQuestionFile(path);
        bestLoad = std::min(bestLoad, milliseconds(timer));
        const std::optional<qint64> peak = processStatus("VmHWM");
        if (run == 0 && before && peak && peakReset) {
            growthKb = *peak - *before;
        }
        const auto* set = std::get_if<QuestionSet>(&result);
        if (set == nullptr || set->count() != questions) {
            std::fprintf(stderr, "the generated set did not load\n");
            return 1;
        }
        if (run == 0) {
            // Every question and answer decoded once, as a host walking the whole set would.
            timer.restart();
            qsizetype characters = 0;
            for (qsizetype n = 1; n <= set->count(); ++n) {
                characters += set->question(n).size() + set->answer(n).size();
            }
            walk = milliseconds(timer);
            if (characters == 0) {
                return 1;
            }
        }
    }
    std::printf("%f %f %lld\n", bestLoad, walk, static_cast<long long>(growthKb));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments.at(1) == u"--load") {
        return measureLoad(arguments.at(2), arguments.at(3).toLongLong());
    }

    QTemporaryDir dir;
    if (!dir.isValid()) {
        qFatal("no temporary folder");
    }
    std::printf("%10s %9s %10s %10s %10s %12s %12s\n", "questions", "file MB", "load ms", "wc -l ms", "walk ms",
                "growth MB", "growth/file");
    for (const int questions : {1000, 100000, 1000000}) {
        const QString path = dir.filePath(QStringLiteral("set-%1.txt").arg(questions));
        writeSet(path, questions);
        const double fileMb = double(QFile(path).size()) / (1024 * 1024);

        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--load"), path, QString::number(questions)});
        if (!child.waitForFinished(-1) || child.exitCode() != 0) {
            qFatal("measuring the set of %d failed", questions);
        }
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        if (figures.size() != 3) {
            qFatal("unexpected figures from the measuring process");
        }
        const double load = figures.at(0).toDouble();
        const double walk = figures.at(1).toDouble();
        const qint64 growthKb = figures.at(2).toLongLong();

        double bestWc = 1e300;
        for (int run = 0; run < kRuns; ++run) {
            bestWc = std::min(bestWc, wcMilliseconds(path));
        }
        const double growthMb = growthKb >= 0 ? double(growthKb) / 1024 : -1;
        std::printf("%10d %9.1f %10.1f %10.1f %10.1f %12.1f %12.2f\n", questions, fileMb, load, bestWc, walk, growthMb,
                    growthKb >= 0 ? growthMb / fileMb : -1.0);
        QFile::remove(path);
    }
    std::printf("load and wc -l: best of %d runs on a file in the page cache; walk: every question and answer "
                "decoded once; growth: peak resident memory of the first load over what was resident before it "
                "(-1 where /proc is missing)\n",
                kRuns);
    return 0;
}
