#include "TrackTree.h"
#include "TrackTreeAlg.h"

#include <gtest/gtest.h>

namespace {

// file1
//   folderA
//     s1, s2
//   s3
//   folderB
//     folderC
//       s4
// file2
//   s5
struct SampleTree
{
    TrackTree tree;
    int file1, folderA, s1, s2, s3, folderB, folderC, s4, file2, s5;

    SampleTree()
    {
        auto c = tree.GetCreator();
        file1 = c->AddFile(QStringLiteral("file1"), QString(), 5);
        folderA = c->AddFolder(file1, QStringLiteral("A"));
        s1 = c->AddSegment(folderA, QStringLiteral("s1"));
        s2 = c->AddSegment(folderA, QStringLiteral("s2"));
        s3 = c->AddSegment(file1, QStringLiteral("s3"));
        folderB = c->AddFolder(file1, QStringLiteral("B"));
        folderC = c->AddFolder(folderB, QStringLiteral("C"));
        s4 = c->AddSegment(folderC, QStringLiteral("s4"));
        file2 = c->AddFile(QStringLiteral("file2"), QString(), 1);
        s5 = c->AddSegment(file2, QStringLiteral("s5"));
    }
    TrackTreeAlg Alg() const { return TrackTreeAlg(tree.GetReader().get()); }
};

using Ids = std::vector<int>;

} // namespace

TEST(TrackTreeAlg, OrderAndAncestry)
{
    SampleTree t;
    const TrackTreeAlg alg = t.Alg();
    EXPECT_EQ(alg.GetAllTids(), (Ids{t.file1, t.folderA, t.s1, t.s2, t.s3, t.folderB, t.folderC, t.s4, t.file2, t.s5}));
    Ids chain;
    alg.GetParentage(t.s4, chain);
    EXPECT_EQ(chain, (Ids{t.file1, t.folderB, t.folderC, t.s4}));
    std::set<int> ancestry;
    alg.GetParentage(Ids{t.s1, t.s5, 777}, ancestry);
    EXPECT_EQ(ancestry, (std::set<int>{t.file1, t.folderA, t.s1, t.file2, t.s5}));
    EXPECT_EQ(alg.GetChildIds(t.file1), (Ids{t.folderA, t.s3, t.folderB}));
    EXPECT_EQ(alg.GetFileId(t.s4), t.file1);
    EXPECT_EQ(alg.GetFileId(t.file2), t.file2);
    EXPECT_EQ(alg.GetFileId(777), -1);
    EXPECT_EQ(alg.GetParentFileIds(Ids{t.s5, t.s1, t.s2}), (Ids{t.file1, t.file2}));
}

TEST(TrackTreeAlg, DescendantsSegmentsAndFolders)
{
    SampleTree t;
    const TrackTreeAlg alg = t.Alg();
    Ids out;
    alg.GetDescendantsIds(t.folderB, out);
    EXPECT_EQ(out, (Ids{t.folderC, t.s4}));
    alg.GetDescendantsIds(Ids{t.folderC, t.folderB}, out); // overlapping: each once
    EXPECT_EQ(out, (Ids{t.folderC, t.s4}));
    std::vector<TrackTreeElemShort> elems;
    alg.GetAllDescendants(t.folderB, elems);
    ASSERT_EQ(elems.size(), 2u);
    EXPECT_EQ(elems[0], (TrackTreeElemShort{t.folderC, TrackInfo::KindFolder}));
    EXPECT_EQ(elems[1], (TrackTreeElemShort{t.s4, TrackInfo::KindSegment}));

    alg.GetSubsegmentIds(t.file1, out);
    EXPECT_EQ(out, (Ids{t.s1, t.s2, t.s3, t.s4}));
    alg.GetSubsegmentIds(t.s3, out);
    EXPECT_EQ(out, (Ids{t.s3}));
    // A selection of a folder and a segment inside it lists the segment once,
    // in tree order whatever the order of the selection.
    alg.GetSubsegmentIds(Ids{t.s5, t.s2, t.folderA}, out);
    EXPECT_EQ(out, (Ids{t.s1, t.s2, t.s5}));
    alg.GetFolderIds(Ids{t.file1}, out);
    EXPECT_EQ(out, (Ids{t.folderA, t.folderB, t.folderC}));
    alg.GetFolderIds(Ids{t.s1}, out);
    EXPECT_TRUE(out.empty());
}

TEST(TrackTreeAlg, AdultsPartsAndRelations)
{
    SampleTree t;
    const TrackTreeAlg alg = t.Alg();
    EXPECT_EQ(alg.GetAdults(Ids{t.s4, t.s1, t.folderB, t.s5, t.s5, 777}), (Ids{t.s1, t.folderB, t.s5}));
    EXPECT_EQ(alg.GetAdults(Ids{t.s4, t.file1}), (Ids{t.file1}));

    TrackParts parts;
    alg.GetParts(Ids{t.s2, t.folderC, t.file2, t.s5}, parts);
    EXPECT_EQ(parts.files, (Ids{t.file2}));
    EXPECT_EQ(parts.folders, (Ids{t.folderC}));
    EXPECT_EQ(parts.segments, (Ids{t.s2}));
    EXPECT_FALSE(parts.IsWholeFilesOnly());

    EXPECT_EQ(alg.GetRelation(t.file1, t.s4), TrackTreeAlg::RelAncestor);
    EXPECT_EQ(alg.GetRelation(t.s4, t.folderB), TrackTreeAlg::RelDescendant);
    EXPECT_EQ(alg.GetRelation(t.s1, t.s2), TrackTreeAlg::RelNone);
    EXPECT_EQ(alg.GetRelation(t.s1, t.s5), TrackTreeAlg::RelNone);
    EXPECT_EQ(alg.GetRelation(t.s3, t.s3), TrackTreeAlg::RelAncestor);
}

TEST(TrackTreeAlg, NeighboursFollowTheFilesSegmentOrder)
{
    SampleTree t;
    const TrackTreeAlg alg = t.Alg();
    // Segments are neighbours across folder borders within a file...
    EXPECT_EQ(alg.GetAdjacentSegment(t.s2, 1), t.s3);
    EXPECT_EQ(alg.GetAdjacentSegment(t.s3, 1), t.s4);
    EXPECT_EQ(alg.GetAdjacentSegment(t.s3, -1), t.s2);
    EXPECT_EQ(alg.GetAdjacentSegment(t.s1, -1), -1);
    // ...but never across files.
    EXPECT_EQ(alg.GetAdjacentSegment(t.s4, 1), -1);
    EXPECT_EQ(alg.GetAdjacentSegment(t.s5, -1), -1);
    EXPECT_EQ(alg.GetAdjacentSegment(t.folderA, 1), -1);

    EXPECT_EQ(alg.GetAdjacentSibling(t.s3, -1), t.folderA);
    EXPECT_EQ(alg.GetAdjacentSibling(t.s3, 1), t.folderB);
    EXPECT_EQ(alg.GetAdjacentSibling(t.folderB, 1), -1);
    EXPECT_EQ(alg.GetAdjacentSibling(t.file1, 1), t.file2);
}
