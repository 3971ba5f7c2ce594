#include "KmlCoordinates.h"

#include <gtest/gtest.h>

namespace {

std::vector<TrackPoint> Tuples(std::string_view text)
{
    std::vector<TrackPoint> points;
    KmlCoordinates::Error error;
    EXPECT_TRUE(KmlCoordinates::ReadTuples(text, points, error)) << error.message;
    return points;
}

KmlCoordinates::Error TupleError(std::string_view text)
{
    std::vector<TrackPoint> points;
    KmlCoordinates::Error error;
    EXPECT_FALSE(KmlCoordinates::ReadTuples(text, points, error));
    return error;
}

} // namespace

TEST(KmlCoordinates, CountWordsBoundsTheTuples)
{
    EXPECT_EQ(KmlCoordinates::CountWords(""), 0u);
    EXPECT_EQ(KmlCoordinates::CountWords(" \n\t "), 0u);
    EXPECT_EQ(KmlCoordinates::CountWords("1,2,3"), 1u);
    EXPECT_EQ(KmlCoordinates::CountWords("\n  1,2,3\r\n4,5 6,7\t"), 3u);
    // Spaces after commas make more words than tuples: still an upper bound.
    EXPECT_EQ(KmlCoordinates::CountWords("1, 2, 3"), 3u);
}

TEST(KmlCoordinates, TuplesInEveryLayoutMet)
{
    const std::vector<TrackPoint> tidy = Tuples("1.5,2.5,3.5 -4,-5");
    ASSERT_EQ(tidy.size(), 2u);
    EXPECT_DOUBLE_EQ(tidy[0].GetLon(), 1.5);
    EXPECT_DOUBLE_EQ(tidy[0].GetLat(), 2.5);
    EXPECT_DOUBLE_EQ(tidy[0].GetElevation(), 3.5);
    EXPECT_DOUBLE_EQ(tidy[1].GetLon(), -4);
    EXPECT_DOUBLE_EQ(tidy[1].GetLat(), -5);
    EXPECT_FALSE(tidy[1].HasElevation());

    // Spaces around commas, trailing commas, CR LF, exponents, a '+' sign.
    const std::vector<TrackPoint> sloppy = Tuples("\r\n 1 , 2 , 3 ,\r\n4,5,\t6e1,7,+8.0 ");
    ASSERT_EQ(sloppy.size(), 3u);
    EXPECT_DOUBLE_EQ(sloppy[0].GetElevation(), 3);
    EXPECT_DOUBLE_EQ(sloppy[1].GetLon(), 4);
    EXPECT_DOUBLE_EQ(sloppy[1].GetElevation(), 60);
    EXPECT_DOUBLE_EQ(sloppy[2].GetLon(), 7);
    EXPECT_DOUBLE_EQ(sloppy[2].GetLat(), 8);
    EXPECT_FALSE(sloppy[2].HasElevation());

    EXPECT_TRUE(Tuples("  \n ").empty());
    // The edges of the valid range.
    const std::vector<TrackPoint> edges = Tuples("-180,-90 180,90");
    EXPECT_EQ(edges.size(), 2u);
}

TEST(KmlCoordinates, FaultsTellWhere)
{
    const std::string_view text = "1,2 3,x 5,6";
    const KmlCoordinates::Error badNumber = TupleError(text);
    EXPECT_EQ(badNumber.offset, 6u);
    EXPECT_EQ(badNumber.message, "\"x\" is not a number");

    EXPECT_EQ(TupleError("1,2 3 4,5").message, "a coordinate tuple without latitude");
    EXPECT_EQ(TupleError("1,2 3 4,5").offset, 4u);
    EXPECT_EQ(TupleError("1,2 181,0").message, "the position is out of range");
    EXPECT_EQ(TupleError("1,2 181,0").offset, 4u);
    EXPECT_EQ(TupleError("1,-90.5").message, "the position is out of range");
    EXPECT_EQ(TupleError("1,2,3,4").message, "a coordinate tuple without latitude");
    EXPECT_EQ(TupleError("1;2").message, "\"1;2\" is not a number");
    EXPECT_EQ(TupleError("0x10,2").message, "\"0x10\" is not a number");
    EXPECT_EQ(TupleError("1,inf").message, "\"inf\" is not a number");
}

TEST(KmlCoordinates, OneGxCoord)
{
    TrackPoint point;
    bool present = true;
    KmlCoordinates::Error error;
    ASSERT_TRUE(KmlCoordinates::ReadCoord(" 8.5  47.25\t612.5 ", point, present, error));
    EXPECT_TRUE(present);
    EXPECT_DOUBLE_EQ(point.GetLon(), 8.5);
    EXPECT_DOUBLE_EQ(point.GetLat(), 47.25);
    EXPECT_DOUBLE_EQ(point.GetElevation(), 612.5);

    ASSERT_TRUE(KmlCoordinates::ReadCoord("8.5,47.25", point, present, error));
    EXPECT_TRUE(present);
    EXPECT_FALSE(point.HasElevation());

    ASSERT_TRUE(KmlCoordinates::ReadCoord(" \n", point, present, error));
    EXPECT_FALSE(present);

    EXPECT_FALSE(KmlCoordinates::ReadCoord("8.5", point, present, error));
    EXPECT_EQ(error.message, "a <gx:coord> without latitude");
    EXPECT_FALSE(KmlCoordinates::ReadCoord("8.5 47 1 2", point, present, error));
    EXPECT_EQ(error.offset, 9u);
    EXPECT_FALSE(KmlCoordinates::ReadCoord("8.5 47x", point, present, error));
    EXPECT_EQ(error.message, "\"47x\" is not a number");
    EXPECT_EQ(error.offset, 4u);
}
