// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuestionFile.h"

#include "TextEncoding.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace quorvex::questions {
namespace {

constexpr QByteArrayView kUtf8ByteOrderMark("\xEF\xBB\xBF");

// The offset of every line of `text` from `first` on, then the size of the text.
std::vector<qsizetype> lineStarts(QByteArrayView text, qsizetype first)
{
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    std::vector<qsizetype> starts;
    // Exact for LF and CR LF files; a file of lone CRs grows the list as it goes.
    starts.reserve(std::size_t(std::count(begin + first, end, '\n')) + 2);
    const char* p = begin + first;
    if (p < end) {
        starts.push_back(first);
    }
    while (p < end) {
        const auto* lf = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
        if (lf == nullptr) {
            lf = end;
        }
        // Lone CRs end lines too; the CR of a CR LF, or one that is the last byte, starts nothing new.
        for (const char* q = p;;) {
            const auto* cr = static_cast<const char*>(std::memchr(q, '\r', std::size_t(lf - q)));
            if (cr == nullptr || cr + 1 == lf) {
                break;
            }
            q = cr + 1;
            starts.push_back(q - begin);
        }
        if (lf == end) {
            break;
        }
        p = lf + 1;
        if (p < end) {
            starts.push_back(p - begin);
        }
    }
    starts.push_back(text.size());
    return starts;
}

QuestionFileError oddLineCount(qsizetype lines)
{
    return {QStringLiteral("The file has %1 %2, an odd number, so its last question has no answer line. Each question "
                           "needs its answer on the line after it.")
                .arg(lines)
                .arg(lines == 1 ? QStringLiteral("line") : QStringLiteral("lines"))};
}

QuestionFileError tooLarge(const QString& shownPath)
{
    return {QStringLiteral("The file %1 is too large to be a question set; the largest that loads is %2 MB.")
                .arg(shownPath)
                .arg(kLargestQuestionFile / (1024 * 1024))};
}

QuestionFileResult parse(QByteArray bytes)
{
    qsizetype first = 0;
    if (bytes.startsWith(kUtf8ByteOrderMark)) {
        first = kUtf8ByteOrderMark.size();
    } else if (!isValidUtf8(bytes)) {
        // Line ends are the same bytes in both encodings, so a file with an odd count is refused before the
        // conversion makes a second copy of it.
        if (const qsizetype lines = qsizetype(lineStarts(bytes, 0).size()) - 1; lines % 2 != 0) {
            return oddLineCount(lines);
        }
        bytes = windows1252ToUtf8(bytes);
    }
    std::vector<qsizetype> starts = lineStarts(bytes, first);
    if (const qsizetype lines = qsizetype(starts.size()) - 1; lines % 2 != 0) {
        return oddLineCount(lines);
    }
    return QuestionSet(std::move(bytes), std::move(starts));
}

} // namespace

QuestionFileResult parseQuestionFile(QByteArray bytes)
{
    try {
        return parse(std::move(bytes));
    } catch (const std::bad_alloc&) {
        return QuestionFileError{QStringLiteral("There is not enough memory to hold this question set.")};
    }
}

QuestionFileResult loadQuestionFile(const QString& path)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    // Devices and pipes could block the console or never end; a question set is always a plain file.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        return QuestionFileError{QStringLiteral("The file %1 cannot be opened: %2.")
                                     .arg(shownPath, info.isDir() ? QStringLiteral("it is a folder")
                                                                  : QStringLiteral("it is not a regular file"))};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QuestionFileError{
            QStringLiteral("The file %1 cannot be opened: %2.").arg(shownPath, file.errorString())};
    }
    if (file.size() > kLargestQuestionFile) {
        return tooLarge(shownPath);
    }
    QByteArray bytes;
    try {
        bytes = file.readAll();
    } catch (const std::bad_alloc&) {
        return tooLarge(shownPath);
    }
    if (file.error() != QFileDevice::NoError) {
        return QuestionFileError{QStringLiteral("The file %1 cannot be read: %2.").arg(shownPath, file.errorString())};
    }
    if (bytes.size() > kLargestQuestionFile) {
        return tooLarge(shownPath);
    }
    file.close();
    return parseQuestionFile(std::move(bytes));
}

} // namespace quorvex::questions
