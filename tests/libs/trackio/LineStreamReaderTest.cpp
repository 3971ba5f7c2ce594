#include "LineStreamReader.h"
#include "LoadContext.h"
#include "TrackTree.h"

#include <QBuffer>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CancelAfter : public OperationProgress
{
public:
    explicit CancelAfter(int reports) : m_left(reports) {}
    void SetPercent(double percent) override
    {
        OperationProgress::SetPercent(percent);
        if (--m_left <= 0)
            SetCancel();
    }

private:
    int m_left;
};

struct Reading
{
    std::vector<std::string> lines;
    std::vector<long long> numbers;
    std::vector<bool> cut;
    bool cancelled = false;
};

Reading ReadAll(const QByteArray& bytes, OperationProgress& progress)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    TrackTree tree;
    TrackDataSetImpl data;
    LoadContext context(*tree.GetCreator(), data, progress, 1, bytes.size());
    LineStreamReader reader(buffer, context);
    Reading result;
    std::string_view line;
    while (reader.Next(line)) {
        result.lines.emplace_back(line);
        result.numbers.push_back(reader.GetLineNumber());
        result.cut.push_back(reader.WasCut());
    }
    result.cancelled = context.IsCancelled();
    return result;
}

Reading ReadAll(const QByteArray& bytes)
{
    OperationProgress progress;
    return ReadAll(bytes, progress);
}

using Lines = std::vector<std::string>;

} // namespace

TEST(LineStreamReader, EveryKindOfLineEnd)
{
    const Reading r = ReadAll("a\r\nb\nc\rd\r\n\r\ne");
    EXPECT_EQ(r.lines, (Lines{"a", "b", "c", "d", "", "e"}));
    EXPECT_EQ(r.numbers, (std::vector<long long>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(ReadAll("x\n").lines, (Lines{"x"}));
    EXPECT_TRUE(ReadAll("").lines.empty());
    EXPECT_EQ(ReadAll("\n").lines, (Lines{""}));
}

TEST(LineStreamReader, LinesSpanningChunksAndCrLfSplitAcrossThem)
{
    // Chunks are 1 MiB: end the first chunk on the CR of a CR LF.
    QByteArray bytes;
    for (int i = 0; i < 1048; ++i)
        bytes += QByteArray(999, 'x') + '\n';
    bytes += QByteArray((1 << 20) - 1 - bytes.size(), 'y');
    bytes += "\r\nnext\n";
    ASSERT_EQ(bytes[(1 << 20) - 1], '\r');
    const Reading r = ReadAll(bytes);
    ASSERT_EQ(r.lines.size(), 1050u);
    EXPECT_EQ(r.lines[1047], std::string(999, 'x'));
    EXPECT_EQ(r.lines[1048], std::string(575, 'y'));
    EXPECT_EQ(r.lines[1049], "next");
    EXPECT_EQ(r.numbers.back(), 1050);
}

TEST(LineStreamReader, HugeLinesAreCutAndFlaggedNotHeldWhole)
{
    QByteArray bytes("short\n");
    bytes += QByteArray(3 * (1 << 20), 'z');
    bytes += "\nafter";
    const Reading r = ReadAll(bytes);
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.lines[1].size(), LineStreamReader::MaxLineBytes);
    EXPECT_EQ(r.cut, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(r.lines[2], "after");
}

TEST(LineStreamReader, Utf16AndUtf8ByteOrderMarks)
{
    const QString text = QStringLiteral("$GPZDA,1*41\r\nÖl\r\n");
    QStringEncoder le(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QStringEncoder be(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom);
    const Lines expected{"$GPZDA,1*41", "\xC3\x96l"};
    EXPECT_EQ(ReadAll(le.encode(text)).lines, expected);
    EXPECT_EQ(ReadAll(be.encode(text)).lines, expected);
    EXPECT_EQ(ReadAll("\xEF\xBB\xBF$GPZDA,1*41\r\n\xC3\x96l").lines, expected);
}

TEST(LineStreamReader, CancelStopsReading)
{
    QByteArray bytes;
    for (int i = 0; i < 400000; ++i)
        bytes += "0123456789\n"; // about 4 chunks
    CancelAfter progress(1);
    const Reading r = ReadAll(bytes, progress);
    EXPECT_TRUE(r.cancelled);
    EXPECT_LT(r.lines.size(), 400000u);
}
