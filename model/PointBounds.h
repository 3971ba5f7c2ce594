#pragma once

#include "TMath.h"
#include "TVector3.h"

// The box around a set of point positions: longitude, latitude, elevation.
// Empty, the minimum lies above the maximum on every axis.
struct PointBounds
{
    double minX = TMath<double>::MAX_REAL;
    double minY = TMath<double>::MAX_REAL;
    double minZ = TMath<double>::MAX_REAL;
    double maxX = -TMath<double>::MAX_REAL;
    double maxY = -TMath<double>::MAX_REAL;
    double maxZ = -TMath<double>::MAX_REAL;

    bool IsEmpty() const { return minX > maxX; }

    // Strict comparisons: NaN leaves the box as it was.
    void Add(const TVector3<double>& p)
    {
        if (p.x < minX)
            minX = p.x;
        if (p.y < minY)
            minY = p.y;
        if (p.z < minZ)
            minZ = p.z;
        if (p.x > maxX)
            maxX = p.x;
        if (p.y > maxY)
            maxY = p.y;
        if (p.z > maxZ)
            maxZ = p.z;
    }

    void Add(const PointBounds& other)
    {
        if (other.IsEmpty())
            return;
        Add(TVector3<double>(other.minX, other.minY, other.minZ));
        Add(TVector3<double>(other.maxX, other.maxY, other.maxZ));
    }

    bool operator==(const PointBounds&) const = default;
};
