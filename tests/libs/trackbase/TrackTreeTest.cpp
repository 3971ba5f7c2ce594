#include "OblException.h"
#include "TrackTree.h"

#include <gtest/gtest.h>

TEST(TrackTree, CreatorBuildsFilesFoldersAndSegments)
{
    TrackTree tree;
    auto creator = tree.GetCreator();
    const int file = creator->AddFile(QStringLiteral("ride"), QStringLiteral("/t/ride.gpx"), 5);
    const int folder = creator->AddFolder(file, QStringLiteral("Morning"));
    const int s1 = creator->AddSegment(folder, QStringLiteral("a"));
    const int s2 = creator->AddSegment(folder, QStringLiteral("b"));
    const int second = creator->AddFile(QStringLiteral("walk"), QString(), 1);

    auto reader = tree.GetReader();
    EXPECT_EQ(reader->GetFileCount(), 2);
    EXPECT_EQ(reader->GetNodeCount(), 5);
    EXPECT_EQ(reader->GetChildren(-1), (std::vector<int>{file, second}));
    EXPECT_EQ(reader->GetChildren(folder), (std::vector<int>{s1, s2}));
    EXPECT_EQ(reader->GetParent(s2), folder);
    EXPECT_EQ(reader->GetParent(file), -1);
    EXPECT_EQ(reader->GetNode(file)->GetKind(), TrackInfo::KindFile);
    EXPECT_EQ(reader->GetNode(folder)->GetKind(), TrackInfo::KindFolder);
    EXPECT_EQ(reader->GetNode(s1)->GetKind(), TrackInfo::KindSegment);
    EXPECT_EQ(reader->GetNode(s1)->GetName(), QStringLiteral("a"));
    EXPECT_EQ(static_cast<const TrackInfo::WholeFile*>(reader->GetNode(file))->GetFileName(), QStringLiteral("/t/ride.gpx"));
    EXPECT_EQ(reader->GetNode(9999), nullptr);
    EXPECT_TRUE(reader->GetChildren(9999).empty());
    std::set<int> tids{file, folder, s1, s2, second};
    EXPECT_EQ(tids.size(), 5u);
}

TEST(TrackTree, StructureRulesAreEnforced)
{
    TrackTree tree;
    auto creator = tree.GetCreator();
    const int file = creator->AddFile(QStringLiteral("f"), QString(), 5);
    const int segment = creator->AddSegment(file, QStringLiteral("s"));
    EXPECT_THROW(creator->AddSegment(segment, QStringLiteral("inside a segment")), OblException);
    EXPECT_THROW(creator->AddFolder(-1, QStringLiteral("folder at the top")), OblException);
    EXPECT_THROW(creator->AddSegment(12345, QStringLiteral("no parent")), OblException);
    EXPECT_EQ(tree.GetReader()->GetNodeCount(), 2);
}

TEST(TrackTree, SegmentColourIsUnsetUntilAssignedAndCopiesKeepIt)
{
    TrackTree tree;
    auto editor = tree.GetEditor();
    const int file = editor->AddFile(QStringLiteral("f"), QString(), 5);
    const int segment = editor->AddSegment(file, QStringLiteral("s"));
    auto reader = tree.GetReader();
    const auto* record = static_cast<const TrackInfo::Segment*>(reader->GetNode(segment));
    EXPECT_FALSE(record->GetColour().IsSet());

    RgbStruct red;
    red.SetByHexStr(QStringLiteral("#FF0000"));
    editor->SetSegmentColour(segment, red);
    EXPECT_TRUE(record->GetColour().IsSet());
    EXPECT_EQ(record->GetColour().GetColorref(), 0x0000FFu);
    editor->SetSegmentColour(file, red); // not a segment: nothing to colour

    TrackTree other(100);
    const int otherFile = other.GetCreator()->AddNode(-1, *reader->GetNode(file));
    const int copied = other.GetCreator()->AddNode(otherFile, *record);
    EXPECT_EQ(otherFile, 100);
    const auto* copy = static_cast<const TrackInfo::Segment*>(other.GetReader()->GetNode(copied));
    EXPECT_EQ(copy->GetTid(), copied);
    EXPECT_EQ(copy->GetColour().GetColorref(), 0x0000FFu);
}

TEST(TrackTree, EditorRemovesAndMovesSubtrees)
{
    TrackTree tree;
    auto editor = tree.GetEditor();
    auto reader = tree.GetReader();
    const int file = editor->AddFile(QStringLiteral("f"), QString(), 5);
    const int folderA = editor->AddFolder(file, QStringLiteral("A"));
    const int folderB = editor->AddFolder(file, QStringLiteral("B"));
    const int s1 = editor->AddSegment(folderA, QStringLiteral("1"));
    const int s2 = editor->AddSegment(folderA, QStringLiteral("2"));

    EXPECT_FALSE(editor->Move(folderA, s1)); // into a segment
    EXPECT_FALSE(editor->Move(file, folderB)); // a file cannot go under anything
    EXPECT_TRUE(editor->Move(s2, folderB, 0));
    EXPECT_TRUE(editor->Move(folderB, file, 0));
    EXPECT_EQ(reader->GetChildren(file), (std::vector<int>{folderB, folderA}));
    EXPECT_EQ(reader->GetParent(s2), folderB);

    editor->Remove(folderA);
    EXPECT_EQ(reader->GetNode(s1), nullptr);
    EXPECT_EQ(reader->GetNode(folderA), nullptr);
    EXPECT_EQ(reader->GetChildren(file), (std::vector<int>{folderB}));
    EXPECT_EQ(reader->GetNodeCount(), 3);
    editor->Remove(file);
    EXPECT_EQ(reader->GetFileCount(), 0);
    EXPECT_EQ(reader->GetNodeCount(), 0);
}
