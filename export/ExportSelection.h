#pragma once

#include <vector>

class OpenTracksModel;

// What the export works on: the files the selected items belong to, and
// their segments in tree order.
namespace ExportSelection {

std::vector<int> FilesOf(const OpenTracksModel& model, const std::vector<int>& items);
std::vector<int> SegmentsOf(const OpenTracksModel& model, const std::vector<int>& items);

} // namespace ExportSelection
