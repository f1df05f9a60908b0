// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuestionFile.h"

#include "TextEncoding.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstring>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace quorvex::questions {
namespace {

constexpr QByteArrayView kUtf8ByteOrderMark("\xEF\xBB\xBF");

// Line ends are found eight bytes at a time: lines are short, so a call per line (memchr) costs more than the
// scan itself. matching() sets the high bit of exactly those bytes of `word` that equal `c`.
constexpr std::uint64_t kLow7Bits = 0x7F7F7F7F7F7F7F7Fu;
constexpr std::uint64_t kEveryByte = 0x0101010101010101u;

std::uint64_t matching(std::uint64_t word, char c)
{
    const std::uint64_t x = word ^ (kEveryByte * static_cast<unsigned char>(c));
    return ~(((x & kLow7Bits) + kLow7Bits) | x | kLow7Bits);
}

std::uint64_t wordAt(const char* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

std::size_t countLineFeeds(const char* p, const char* end)
{
    std::size_t count = 0;
    for (; end - p >= 8; p += 8) {
        // Each matching byte holds 1 after the shift; the multiplication adds them all up in the top byte.
        count += std::size_t(((matching(wordAt(p), '\n') >> 7) * kEveryByte) >> 56);
    }
    for (; p < end; ++p) {
        count += *p == '\n' ? 1 : 0;
    }
    return count;
}

// The offset of every line of `text` from `first` on, then the size of the text.
std::vector<qsizetype> lineStarts(QByteArrayView text, qsizetype first)
{
    const char* const begin = text.data();
    const qsizetype size = text.size();
    std::vector<qsizetype> starts;
    // Exact for LF and CR LF files; a file of lone CRs grows the list as it goes.
    starts.reserve(countLineFeeds(begin + first, begin + size) + 2);
    if (first < size) {
        starts.push_back(first);
    }
    // A line end starts a new line after it unless the text ends there; the CR of a CR LF leaves that to its LF.
    const auto afterByte = [&](qsizetype i) {
        const char c = begin[i];
        if ((c == '\n' || (c == '\r' && (i + 1 == size || begin[i + 1] != '\n'))) && i + 1 < size) {
            starts.push_back(i + 1);
        }
    };
    qsizetype i = first;
    for (; size - i >= 8; i += 8) {
        const std::uint64_t word = wordAt(begin + i);
        if ((matching(word, '\n') | matching(word, '\r')) != 0) {
            for (qsizetype k = i; k < i + 8; ++k) {
                afterByte(k);
            }
        }
    }
    for (; i < size; ++i) {
        afterByte(i);
    }
    starts.push_back(size);
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

// The first line longer than kLongestLine characters, as a refusal that names it.
std::optional<QuestionFileError> overlongLine(const QByteArray& utf8, const std::vector<qsizetype>& starts)
{
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
        const qsizetype span = starts[i + 1] - starts[i];
        // A character takes at least one byte, so only a line of more bytes than the limit needs counting.
        if (span <= kLongestLine) {
            continue;
        }
        QByteArrayView line(utf8.constData() + starts[i], span);
        while (!line.isEmpty() && (line.back() == '\n' || line.back() == '\r')) {
            line.chop(1);
        }
        const qsizetype characters = QString::fromUtf8(line).toUcs4().size();
        if (characters > kLongestLine) {
            const qsizetype number = qsizetype(i) + 1;
            return QuestionFileError{
                QStringLiteral("Line %1, %2 %3, has %4 characters; a question or answer can have at most %5, as a "
                               "chat client posts no longer line.")
                    .arg(number)
                    .arg(number % 2 == 1 ? QStringLiteral("question") : QStringLiteral("answer"))
                    .arg((number + 1) / 2)
                    .arg(characters)
                    .arg(kLongestLine)};
        }
    }
    return std::nullopt;
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
    const qsizetype lines = qsizetype(starts.size()) - 1;
    if (lines % 2 != 0) {
        return oddLineCount(lines);
    }
    // An empty set would replace the loaded one and leave its question on show, to be said as "Q: ?".
    if (lines == 0) {
        return QuestionFileError{kNoQuestions};
    }
    if (std::optional<QuestionFileError> overlong = overlongLine(bytes, starts)) {
        return *overlong;
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
